// The installed program: `cmake --install --strip` into a temporary DESTDIR, as
// `make install DESTDIR=...` does. The binaries carry no symbols, the desktop entry
// and the AppStream data pass their validators, and with the installed file types
// beside the system's a question file and a record file are known for what they
// are, also without their extensions, while other programs' ".dat" files and Fuji's
// raw photos keep their own types.
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

// The names of an ELF file's sections, as readelf lists them.
QStringList SectionNames(const QString &binary)
{
    const TRun listed = Run(Tool(QStringLiteral("readelf")), {QStringLiteral("-S"), QStringLiteral("-W"), binary});
    QStringList names;
    const QRegularExpression row(QStringLiteral("^\\s*\\[\\s*\\d+\\]\\s+(\\S+)"), QRegularExpression::MultilineOption);
    for (auto match = row.globalMatch(listed.Output); match.hasNext();)
        names << match.next().captured(1);
    return names;
}

// A small question file in the format asked for.
QByteArray QuestionFile(tMirolaFType type)
{
    TMirolaFile doc;
    doc.Title = "Hauptst\x84"
                "dte";  // "ä" in code page 850
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

// FujiRaw: the start of a Fuji camera's raw photo, whose name ends in ".raf" too.
enum class TContent { Text, DosRecords, WindowsRecords, Binary, PlainText, FujiRaw };
Q_DECLARE_METATYPE(TContent)

class TestInstall : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void installsTheProgramsTheirPagesAndTheDesktopFiles();
    void installedProgramsCarryNoSymbols();
    void makeInstallInstallsNoPackagesAndStrips();
    void desktopEntryIsValidAndNamesWhatIsInstalled();
    void metainfoIsValid();
    void questionAndRecordFilesAreKnown_data();
    void questionAndRecordFilesAreKnown();

private:
    QString Installed(const QString &path) const { return FDestDir.path() + Prefix + QLatin1Char('/') + path; }
    QString PackageDataDir() const { return FFiles.filePath(QStringLiteral("package-share")); }

    QTemporaryDir FDestDir;
    QTemporaryDir FFiles;
};

void TestInstall::initTestCase()
{
    QVERIFY(FDestDir.isValid() && FFiles.isValid());
    // Staged, nothing is registered with the system. The tools that would do it are
    // found first in a folder of the test's, where they only note that they were
    // called: an installation that wrongly called them would rebuild the databases
    // below /usr/local otherwise.
    const QString tools = FFiles.filePath(QStringLiteral("tools"));
    const QString called = FFiles.filePath(QStringLiteral("called"));
    QVERIFY(QDir().mkpath(tools));
    for (const QString &name : {QStringLiteral("update-mime-database"), QStringLiteral("update-desktop-database")}) {
        QFile tool(tools + QLatin1Char('/') + name);
        QVERIFY(tool.open(QFile::WriteOnly));
        tool.write(QStringLiteral("#!/bin/sh\necho %1 \"$@\" >>'%2'\n").arg(name, called).toUtf8());
        tool.close();
        QVERIFY(tool.setPermissions(tool.permissions() | QFile::ExeOwner));
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), FDestDir.path());
    environment.insert(QStringLiteral("PATH"), tools + QLatin1Char(':') + environment.value(QStringLiteral("PATH")));
    const TRun install = Run(QStringLiteral(KELMOR_CMAKE),
                             {QStringLiteral("--install"), QStringLiteral(KELMOR_BUILD_DIR), QStringLiteral("--prefix"),
                              Prefix, QStringLiteral("--strip")},
                             environment);
    QVERIFY2(install.ExitCode == 0, qPrintable(install.Output));
    QFile calls(called);
    QVERIFY2(!calls.exists(), calls.open(QFile::ReadOnly) ? calls.readAll().constData() : "");
    // The test builds the file-type cache of the staged tree itself.
    QVERIFY(!QFileInfo::exists(Installed(QStringLiteral("share/mime/mime.cache"))));
    const QString updateMime = Tool(QStringLiteral("update-mime-database"));
    QVERIFY2(!updateMime.isEmpty(), "update-mime-database is missing: make installs shared-mime-info");
    const TRun update = Run(updateMime, {Installed(QStringLiteral("share/mime"))});
    QVERIFY2(update.ExitCode == 0, qPrintable(update.Output));

    // Installed as a package, below /usr, the types share one database with the
    // system's, whose camera formats share a name with record files.
    const QString packages = PackageDataDir() + QStringLiteral("/mime/packages");
    QVERIFY(QDir().mkpath(packages));
    QStringList definitions{Installed(QStringLiteral("share/mime/packages/org.example.kelmor.xml"))};
    for (const QFileInfo &system :
         QDir(QStringLiteral("/usr/share/mime/packages")).entryInfoList({QStringLiteral("*.xml")}))
        definitions << system.filePath();
    for (const QString &definition : definitions)
        QVERIFY2(QFile::copy(definition, packages + QLatin1Char('/') + QFileInfo(definition).fileName()),
                 qPrintable(definition));
    const TRun merged = Run(updateMime, {PackageDataDir() + QStringLiteral("/mime")});
    QVERIFY2(merged.ExitCode == 0, qPrintable(merged.Output));
    // Qt reads these when it first looks for types. It takes the name patterns of
    // the first folder that has any (Qt 6.4), so only the shared database lets it
    // weigh Kelmor's "*.raf" against the camera's.
    qputenv("XDG_DATA_DIRS", (PackageDataDir() + QStringLiteral(":/usr/share")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", FFiles.filePath(QStringLiteral("home")).toLocal8Bit());
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

void TestInstall::installedProgramsCarryNoSymbols()
{
    QVERIFY2(!Tool(QStringLiteral("readelf")).isEmpty(), "readelf is missing: make installs binutils");
    for (const QString &program : {QStringLiteral("bin/kelmor"), QStringLiteral("bin/kelmor-convert")}) {
        const QStringList sections = SectionNames(Installed(program));
        QVERIFY2(sections.contains(QStringLiteral(".text")),
                 qPrintable(program + QLatin1String(": ") + sections.join(' ')));
        for (const QString &section : sections)
            QVERIFY2(section != QStringLiteral(".symtab") && !section.startsWith(QStringLiteral(".debug")),
                     qPrintable(program + QLatin1String(" keeps ") + section));
    }
}

// What `make install` would run, as a package build runs it: without network and as
// a plain user, so no package manager, and stripped as staged above.
void TestInstall::makeInstallInstallsNoPackagesAndStrips()
{
    const QString make = Tool(QStringLiteral("make"));
    QVERIFY2(!make.isEmpty(), "make is missing");
    const TRun planned = Run(make, {QStringLiteral("-n"), QStringLiteral("-C"), QStringLiteral(KELMOR_SOURCE_DIR),
                                    QStringLiteral("install"), QStringLiteral("PREFIX=/usr"),
                                    QStringLiteral("DESTDIR=") + FFiles.filePath(QStringLiteral("package"))});
    QVERIFY2(planned.ExitCode == 0, qPrintable(planned.Output));
    for (const QString &tool : {QStringLiteral("apt-get"), QStringLiteral("dpkg"), QStringLiteral("sudo")})
        QVERIFY2(!planned.Output.contains(tool), qPrintable(planned.Output));
    const QRegularExpression install(QStringLiteral("^.*cmake --install .*$"), QRegularExpression::MultilineOption);
    const QString installLine = install.match(planned.Output).captured(0);
    QVERIFY2(installLine.contains(QStringLiteral("--strip")), qPrintable(planned.Output));
}

void TestInstall::desktopEntryIsValidAndNamesWhatIsInstalled()
{
    const QString entry = Installed(QStringLiteral("share/applications/org.example.kelmor.desktop"));
    const QString validate = Tool(QStringLiteral("desktop-file-validate"));
    QVERIFY2(!validate.isEmpty(), "desktop-file-validate is missing: make installs desktop-file-utils");
    const TRun checked = Run(validate, {entry});
    QCOMPARE(checked.ExitCode, 0);
    // Hints only: the entry is meant to show under both Game and Education, which
    // the validator mentions as a hint.
    for (const QString &line : checked.Output.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        QVERIFY2(line.contains(QStringLiteral(": hint: ")), qPrintable(checked.Output));

    QHash<QString, QString> desktop;
    QFile file(entry);
    QVERIFY(file.open(QFile::ReadOnly | QFile::Text));
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            desktop.insert(line.left(equals), line.mid(equals + 1));
    }
    // English by default, the program's own German under [de].
    for (const QString &key : {QStringLiteral("Name"), QStringLiteral("GenericName"), QStringLiteral("Comment")}) {
        const QString german = desktop.value(key + QStringLiteral("[de]"));
        QVERIFY2(!german.isEmpty() && !desktop.value(key).isEmpty() && german != desktop.value(key), qPrintable(key));
    }
    QCOMPARE(desktop.value(QStringLiteral("Name[de]")), QStringLiteral("Kelmor für Mirola"));
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
    const QString component = QString::fromUtf8(xml.readAll());
    const QRegularExpression launchable(QStringLiteral("<launchable type=\"desktop-id\">([^<]+)</launchable>"));
    const QString desktopId = launchable.match(component).captured(1);
    QVERIFY(QFileInfo::exists(Installed(QStringLiteral("share/applications/") + desktopId)));
    // Software centres show the default name and summary to everyone but German readers.
    for (const QString &tag : {QStringLiteral("name"), QStringLiteral("summary")}) {
        QVERIFY2(component.contains(QStringLiteral("<%1>").arg(tag)), qPrintable(tag));
        QVERIFY2(component.contains(QStringLiteral("<%1 xml:lang=\"de\">").arg(tag)), qPrintable(tag));
    }
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
    QTest::newRow("other program's binary .dat") << "daten.dat" << TContent::Binary << "application/octet-stream";
    QTest::newRow("other program's text .dat") << "notiz.dat" << TContent::PlainText << "text/plain";
    QTest::newRow(".raf") << "mirola-fragen.raf" << TContent::DosRecords << records;
    QTest::newRow(".RAF") << "MIROLA-FRAGEN.RAF" << TContent::WindowsRecords << records;
    QTest::newRow("camera's .raf") << "DSCF0001.raf" << TContent::FujiRaw << "image/x-fuji-raf";
    QTest::newRow("unknown content named .raf") << "DSCF0002.raf" << TContent::Binary << "image/x-fuji-raf";
    QTest::newRow("text without extension") << "fragen" << TContent::Text << questions;
    QTest::newRow("records without extension") << "satzdatei" << TContent::WindowsRecords << records;
}

void TestInstall::questionAndRecordFilesAreKnown()
{
    QFETCH(QString, name);
    QFETCH(TContent, content);
    QFETCH(QString, type);

    QByteArray bytes;
    switch (content) {
    case TContent::Text: bytes = QuestionFile(ftTXT); break;
    case TContent::DosRecords: bytes = QuestionFile(ftRAF); break;
    case TContent::WindowsRecords: bytes = QuestionFile(ftWRAF); break;
    case TContent::Binary:
        for (int i = 0; i < 512; ++i)
            bytes.append(static_cast<char>(i * 7));
        break;
    case TContent::PlainText: bytes = "Einkaufsliste\nBrot\nMilch\n"; break;
    case TContent::FujiRaw:
        bytes = QByteArray("FUJIFILMCCD-RAW 0201FF383501") + QByteArray(64, '\0') + QByteArray("X-T2");
        bytes.append(QByteArray(400, '\xff'));
        break;
    }
    QFile file(FFiles.filePath(name));
    QVERIFY(file.open(QFile::WriteOnly));
    file.write(bytes);
    file.close();

    const QMimeType found = QMimeDatabase().mimeTypeForFile(file.fileName());
    QCOMPARE(found.name(), type);
    QVERIFY(!found.comment().isEmpty());

    // The desktop's own answer, as file managers without Qt give it: a desktop of no
    // known kind, so xdg-mime asks the shared-mime-info databases themselves. It
    // weighs the folders' patterns together, so it also sees the installation below
    // /usr/local, whose database stands apart from the system's.
    const QString xdgMime = Tool(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *desktop :
         {"KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "MATE_DESKTOP_SESSION_ID", "DESKTOP_SESSION"})
        environment.remove(QString::fromLatin1(desktop));
    environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("X-Generic"));
    for (const QString &dataDir : {Installed(QStringLiteral("share")), PackageDataDir()}) {
        environment.insert(QStringLiteral("XDG_DATA_DIRS"), dataDir + QStringLiteral(":/usr/share"));
        const TRun queried =
            Run(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), file.fileName()}, environment);
        QVERIFY2(queried.ExitCode == 0 && queried.Output.trimmed() == type,
                 qPrintable(dataDir + QLatin1String(": ") + queried.Output));
    }
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
