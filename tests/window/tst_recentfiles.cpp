// "Zuletzt geöffnet": the files opened and saved last, newest first and eight at most,
// kept in the program's settings; the file dialogs start in the last file's folder.
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "editfield.h"
#include "qtplatformseam.h"
#include "recentfiles.h"
#include "windowfixture.h"

class TestRecentFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void newestFirstOnceEachAndEightAtMost();
    void anEntryOpensItsFile();
    void aMissingFileLeavesTheList();
    void dialogsStartInTheLastFilesFolder();
    void settingsFileThatIsNoFileIsPassedOver_data();
    void settingsFileThatIsNoFileIsPassedOver();

private:
    // The settings live here, never in the user's own.
    QTemporaryDir FSettings;
    QTemporaryDir FFiles;
    QString MakeFile(const QString &name, int records = 2);
    static QStringList Captions(const TKelmorFrm &w);
};

void TestRecentFiles::initTestCase()
{
    QVERIFY(FSettings.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(FSettings.path()));
    // The program's format, so that a QSettings of the test sees the program's file.
    QSettings::setDefaultFormat(QSettings::IniFormat);
}

void TestRecentFiles::init()
{
    QSettings().clear();
}

QString TestRecentFiles::MakeFile(const QString &name, int records)
{
    const QString path = FFiles.filePath(name);
    DistinctDocument(records)->SaveToFile(QFile::encodeName(path).toStdString(), ftTXT);
    return path;
}

QStringList TestRecentFiles::Captions(const TKelmorFrm &w)
{
    emit w.Zuletztgeffnet1->aboutToShow();
    QStringList captions;
    for (const QAction *item : w.Zuletztgeffnet1->actions())
        captions << item->text();
    return captions;
}

void TestRecentFiles::newestFirstOnceEachAndEightAtMost()
{
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    QVERIFY(!w.Zuletztgeffnet1->menuAction()->isEnabled());
    QStringList opened;
    for (int i = 1; i <= 9; ++i) {
        opened.prepend(MakeFile(QStringLiteral("quiz %1.mfd").arg(i)));
        w.OpenDoc(opened.constFirst());
    }
    QVERIFY(w.Zuletztgeffnet1->menuAction()->isEnabled());
    QStringList expected;
    for (int i = 0; i < 8; ++i)
        expected << QStringLiteral("&%1 %2").arg(i + 1).arg(opened.at(i));
    QCOMPARE(Captions(w), expected);

    // Opened again, a file moves to the top and stands there once.
    w.OpenDoc(opened.at(5));
    QCOMPARE(Captions(w).size(), 8);
    QCOMPARE(Captions(w).at(0), QStringLiteral("&1 %1").arg(opened.at(5)));
    QCOMPARE(Captions(w).at(6), QStringLiteral("&7 %1").arg(opened.at(6)));
    // Opened again at the top, it changes nothing: the settings file is not written.
    const QString settingsFile = QSettings().fileName();
    const QDateTime written = QFileInfo(settingsFile).lastModified();
    QTest::qWait(20);
    w.OpenDoc(opened.at(5));
    QCOMPARE(QFileInfo(settingsFile).lastModified(), written);

    // Saved under another name, which shows an "&" as itself and a tab as a blank,
    // where the menu would take the rest for keys.
    f.Seam->FileAnswers.push_back({true, FFiles.filePath(QStringLiteral("Fragen & Antworten\t1.mfd")), 1});
    QVERIFY(f.Trigger(w.Speichernunter1));
    QCOMPARE(Captions(w).at(0),
             QStringLiteral("&1 %1").arg(FFiles.filePath(QStringLiteral("Fragen && Antworten 1.mfd"))));
    QCOMPARE(Captions(w).at(1), QStringLiteral("&2 %1").arg(opened.at(5)));
    // The list outlives the window.
    TWindowFixture next;
    QCOMPARE(Captions(*next.Frm), Captions(w));
}

void TestRecentFiles::anEntryOpensItsFile()
{
    const QString first = MakeFile(QStringLiteral("erste.mfd"), 3);
    const QString second = MakeFile(QStringLiteral("zweite.mfd"), 5);
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    w.OpenDoc(first);
    w.OpenDoc(second);
    w.Question1->setText(QStringLiteral("geändert"));
    Captions(w);
    // A changed document is asked about first; cancelling keeps it.
    f.Seam->DlgAnswers.push_back(TModalResult::mrCancel);
    QVERIFY(f.Trigger(w.Zuletztgeffnet1->actions().at(1)));
    QCOMPARE(w.QFile->Count(), 5);
    f.Seam->DlgAnswers.push_back(TModalResult::mrNo);
    QVERIFY(f.Trigger(w.Zuletztgeffnet1->actions().at(1)));
    QCOMPARE(w.QFile->Count(), 3);
    QCOMPARE(w.dokname, first);
    QVERIFY(!w.IsChanged());
    QCOMPARE(Captions(w).at(0), QStringLiteral("&1 %1").arg(first));
}

void TestRecentFiles::aMissingFileLeavesTheList()
{
    const QString kept = MakeFile(QStringLiteral("bleibt.mfd"), 3);
    const QString gone = MakeFile(QStringLiteral("weg.mfd"), 4);
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    w.OpenDoc(gone);
    w.OpenDoc(kept);
    QVERIFY(QFile::remove(gone));
    Captions(w);
    f.Seam->DlgAnswers.push_back(TModalResult::mrOK);
    QVERIFY(f.Trigger(w.Zuletztgeffnet1->actions().at(1)));
    QCOMPARE(f.Seam->Calls.constLast().Kind, QStringLiteral("MessageDlg"));
    QVERIFY(f.Seam->Calls.constLast().Text.contains(gone));
    QCOMPARE(w.QFile->Count(), 3);
    QCOMPARE(Captions(w), QStringList{QStringLiteral("&1 %1").arg(kept)});

    // Forgetting a file that is not there writes nothing, also where the list is
    // empty, which the settings file holds as no value at all.
    QSettings().clear();
    ForgetRecentFile(QFile::encodeName(gone).toStdString());
    QVERIFY(QSettings().allKeys().isEmpty());
}

void TestRecentFiles::dialogsStartInTheLastFilesFolder()
{
    QTemporaryDir elsewhere;
    const QString path = QDir(elsewhere.path()).filePath(QStringLiteral("quiz.mfd"));
    DistinctDocument(2)->SaveToFile(QFile::encodeName(path).toStdString(), ftTXT);
    TWindowFixture f;
    f.Frm->OpenDoc(path);
    const auto dialog = TQtPlatformSeam::MakeFileDialog(f.Frm->OpenDialog1, TQtPlatformSeam::TFileDialogKind::Open);
    QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(elsewhere.path()).canonicalPath());
}

namespace {

enum class TSettingsFile { Fifo, Socket };

// Whoever waits to read the FIFO at `path` for more than a moment is given its end,
// so that a test of a start-up that waits on it fails rather than hangs.
class TFifoWatchdog {
public:
    explicit TFifoWatchdog(const QByteArray &path)
        : FThread([this, path] {
              using namespace std::chrono_literals;
              for (int tick = 0; !FStop; ++tick) {
                  std::this_thread::sleep_for(50ms);
                  if (tick < 40)
                      continue;
                  // Succeeds only while a reader waits; closing it gives that reader its end.
                  const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                  if (fd >= 0) {
                      Woken = true;
                      ::close(fd);
                  }
              }
          })
    {
    }
    ~TFifoWatchdog()
    {
        FStop = true;
        FThread.join();
    }

    std::atomic<bool> Woken = false;

private:
    std::atomic<bool> FStop = false;
    std::thread FThread;
};

}  // namespace

Q_DECLARE_METATYPE(TSettingsFile)

void TestRecentFiles::settingsFileThatIsNoFileIsPassedOver_data()
{
    QTest::addColumn<TSettingsFile>("kind");
    QTest::newRow("FIFO") << TSettingsFile::Fifo;
    QTest::newRow("socket") << TSettingsFile::Socket;
}

void TestRecentFiles::settingsFileThatIsNoFileIsPassedOver()
{
    QFETCH(TSettingsFile, kind);
    // The program's settings file is where Qt's own settings look.
    const QString settingsFile = QSettings().fileName();
    const QString file = MakeFile(QStringLiteral("quiz.mfd"));
    {
        TWindowFixture f;
        f.Frm->OpenDoc(file);
    }
    QVERIFY(FileBytes(settingsFile).contains(QFileInfo(file).fileName().toUtf8()));

    QVERIFY(QFile::remove(settingsFile));
    const QByteArray path = QFile::encodeName(settingsFile);
    int socketFd = -1;
    const auto cleanUp = qScopeGuard([&] {
        if (socketFd >= 0)
            ::close(socketFd);
        ::unlink(path.constData());
    });
    if (kind == TSettingsFile::Fifo) {
        QCOMPARE(::mkfifo(path.constData(), 0600), 0);
    } else {
        socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        QVERIFY(std::size_t(path.size()) < sizeof address.sun_path);
        std::copy(path.begin(), path.end(), address.sun_path);
        QCOMPARE(::bind(socketFd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    }

    {
        const TFifoWatchdog watchdog(path);
        // Start-up reads the settings; opening a file and the dialogs' folder write them.
        TWindowFixture f;
        TKelmorFrm &w = *f.Frm;
        QVERIFY(!w.Zuletztgeffnet1->menuAction()->isEnabled());
        w.OpenDoc(file);
        QCOMPARE(Captions(w), QStringList());
        SetDialogFolder(FFiles.path());
        QCOMPARE(DialogFolder(), QString());
        ForgetRecentFile(QFile::encodeName(file).toStdString());
        QVERIFY2(!watchdog.Woken, "something waited to read the FIFO");
    }
    struct stat st {};
    QCOMPARE(::lstat(path.constData(), &st), 0);
    QVERIFY(kind == TSettingsFile::Fifo ? S_ISFIFO(st.st_mode) : S_ISSOCK(st.st_mode));
}

QTEST_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
