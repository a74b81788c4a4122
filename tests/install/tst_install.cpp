// The installed program: `cmake --install` into a temporary DESTDIR, as packagers and
// `make install DESTDIR=...` do. The desktop entry and the AppStream data pass their
// validators, and with the installed file types a question file and a record file
// are known for what they are, also without their extensions.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "mirolafile.h"

namespace {

const QString Prefix = QStringLiteral("/usr/local");

struct TRun {
    int ExitCode = -1;
    QString Output;
};

TRun Run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QStringLiteral("%1 did not finish: %2").arg(program, process.errorString())};
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

QString Tool(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

// A small question file in the format asked for.
QByteArray QuestionFile(tMirolaFType type)
{
    TMirolaFile doc;
    doc.Title = "Hauptst\x84""dte";  // "ä" in code page 850
    doc.AutorInfo = "Kelmor";
    TMirolaDatensatz rec;
    rec.theletter = u'b';
    rec.level = u'A';
    rec.Question[0] = "Wie hei\xE1t die Hauptstadt von \x99sterreich?";
    rec.Answers[0] = "Graz";
    rec.Answers[1] = "Wien";
    doc.Data.push_back(rec);
    doc.DatRec = rec;
    const std::string bytes = doc.SaveToString(type);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

enum class TContent { Text, DosRecords, WindowsRecords };
Q_DECLARE_METATYPE(TContent)

class TestInstall : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void installsTheProgramsTheirPagesAndTheDesktopFiles();
    void desktopEntryIsValidAndNamesWhatIsInstalled();
    void metainfoIsValid();
    void questionAndRecordFilesAreKnown_data();
    void questionAndRecordFilesAreKnown();

private:
    QString Installed(const QString &path) const { return FDestDir.path() + Prefix + QLatin1Char('/') + path; }

    QTemporaryDir FDestDir;
    QTemporaryDir FFiles;
};

void TestInstall::initTestCase()
{
    QVERIFY(FDestDir.isValid() && FFiles.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), FDestDir.path());
    const TRun install = Run(QStringLiteral(KELMOR_CMAKE),
                             {QStringLiteral("--install"), QStringLiteral(KELMOR_BUILD_DIR), QStringLiteral("--prefix"), Prefix},
                             environment);
    QVERIFY2(install.ExitCode == 0, qPrintable(install.Output));
    // Staged, nothing is registered with the system; the test builds the file-type
    // cache of the staged tree itself.
    QVERIFY(!QFileInfo::exists(Installed(QStringLiteral("share/mime/mime.cache"))));
    const QString updateMime = Tool(QStringLiteral("update-mime-database"));
    QVERIFY2(!updateMime.isEmpty(), "update-mime-database is missing: make installs shared-mime-info");
    const TRun update = Run(updateMime, {Installed(QStringLiteral("share/mime"))});
    QVERIFY2(update.ExitCode == 0, qPrintable(update.Output));
}

void TestInstall::installsTheProgramsTheirPagesAndTheDesktopFiles()
{
    for (const QString &program : {QStringLiteral("bin/kelmor"), QStringLiteral("bin/kelmor-convert")})
        QVERIFY2(QFileInfo(Installed(program)).isExecutable(), qPrintable(program));
    for (const QString &file :
         {QStringLiteral("share/man/man1/kelmor.1"), QStringLiteral("share/man/man1/kelmor-convert.1"),
          QStringLiteral("share/applications/org.example.kelmor.desktop"),
          QStringLiteral("share/mime/packages/org.example.kelmor.xml"),
          QStringLiteral("share/icons/hicolor/scalable/apps/org.example.kelmor.svg"),
          QStringLiteral("share/metainfo/org.example.kelmor.metainfo.xml")})
        QVERIFY2(QFileInfo(Installed(file)).size() > 0, qPrintable(file));
    // The installed converter runs on its own.
    const TRun help = Run(Installed(QStringLiteral("bin/kelmor-convert")), {QStringLiteral("--help")});
    QCOMPARE(help.ExitCode, 0);
    QVERIFY(help.Output.startsWith(QStringLiteral("Aufruf: kelmor-convert")));
}

void TestInstall::desktopEntryIsValidAndNamesWhatIsInstalled()
{
    const QString entry = Installed(QStringLiteral("share/applications/org.example.kelmor.desktop"));
    const QString validate = Tool(QStringLiteral("desktop-file-validate"));
    QVERIFY2(!validate.isEmpty(), "desktop-file-validate is missing: make installs desktop-file-utils");
    const TRun checked = Run(validate, {entry});
    QVERIFY2(checked.ExitCode == 0 && checked.Output.trimmed().isEmpty(), qPrintable(checked.Output));

    QHash<QString, QString> desktop;
    QFile file(entry);
    QVERIFY(file.open(QFile::ReadOnly | QFile::Text));
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            desktop.insert(line.left(equals), line.mid(equals + 1));
    }
    QCOMPARE(desktop.value(QStringLiteral("Name")), QStringLiteral("Kelmor für Mirola"));
    const QStringList exec = desktop.value(QStringLiteral("Exec")).split(QLatin1Char(' '));
    QCOMPARE(exec, (QStringList{"kelmor", "%f"}));
    QVERIFY(QFileInfo(Installed(QStringLiteral("bin/") + exec.constFirst())).isExecutable());
    const QString icon = desktop.value(QStringLiteral("Icon"));
    QVERIFY2(QFileInfo::exists(Installed(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(icon))),
             qPrintable(icon));
    const QStringList types = desktop.value(QStringLiteral("MimeType")).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QCOMPARE(types, (QStringList{"application/x-mirola-questions", "application/x-mirola-records"}));
    const QString definitions = [this] {
        QFile xml(Installed(QStringLiteral("share/mime/packages/org.example.kelmor.xml")));
        return xml.open(QFile::ReadOnly) ? QString::fromUtf8(xml.readAll()) : QString();
    }();
    for (const QString &type : types)
        QVERIFY2(definitions.contains(QStringLiteral("<mime-type type=\"%1\">").arg(type)), qPrintable(type));
}

void TestInstall::metainfoIsValid()
{
    const QString appstream = Tool(QStringLiteral("appstreamcli"));
    QVERIFY2(!appstream.isEmpty(), "appstreamcli is missing: make installs appstream");
    const QString metainfo = Installed(QStringLiteral("share/metainfo/org.example.kelmor.metainfo.xml"));
    const TRun checked = Run(appstream, {QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo});
    QVERIFY2(checked.ExitCode == 0, qPrintable(checked.Output));
    // The component launches the entry that is installed beside it.
    QFile xml(metainfo);
    QVERIFY(xml.open(QFile::ReadOnly));
    const QRegularExpression launchable(QStringLiteral("<launchable type=\"desktop-id\">([^<]+)</launchable>"));
    const QString desktopId = launchable.match(QString::fromUtf8(xml.readAll())).captured(1);
    QVERIFY(QFileInfo::exists(Installed(QStringLiteral("share/applications/") + desktopId)));
}

void TestInstall::questionAndRecordFilesAreKnown_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<TContent>("content");
    QTest::addColumn<QString>("type");
    const QString questions = QStringLiteral("application/x-mirola-questions");
    const QString records = QStringLiteral("application/x-mirola-records");
    QTest::newRow(".mfd") << "fragen.mfd" << TContent::Text << questions;
    QTest::newRow(".dat") << "fragen.dat" << TContent::Text << questions;
    QTest::newRow(".raf") << "mirola-fragen.raf" << TContent::DosRecords << records;
    QTest::newRow(".RAF") << "MIROLA-FRAGEN.RAF" << TContent::WindowsRecords << records;
    QTest::newRow("text without extension") << "fragen" << TContent::Text << questions;
    QTest::newRow("records without extension") << "satzdatei" << TContent::WindowsRecords << records;
}

void TestInstall::questionAndRecordFilesAreKnown()
{
    QFETCH(QString, name);
    QFETCH(TContent, content);
    QFETCH(QString, type);
    // Only the staged tree and an empty home: Qt reads the variables when it first
    // looks for file types.
    static const bool environmentSet = [this] {
        qputenv("XDG_DATA_DIRS", Installed(QStringLiteral("share")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", FFiles.filePath(QStringLiteral("home")).toLocal8Bit());
        return true;
    }();
    QVERIFY(environmentSet);

    QFile file(FFiles.filePath(name));
    QVERIFY(file.open(QFile::WriteOnly));
    file.write(QuestionFile(content == TContent::Text         ? ftTXT
                            : content == TContent::DosRecords ? ftRAF
                                                              : ftWRAF));
    file.close();
    const QMimeType found = QMimeDatabase().mimeTypeForFile(file.fileName());
    QCOMPARE(found.name(), type);
    QVERIFY(!found.comment().isEmpty());
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
