// The program as a whole: an error that escapes a command is reported and the
// program goes on, start-up survives a file it cannot read, and the built editor
// comes up with a file and ends cleanly when the user presses Alt+X, its command
// line read by its own rules alone.
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProxyStyle>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

#include "aboutbox.h"
#include "editfield.h"
#include "errors.h"
#include "kelmorapp.h"
#include "kelmorfrm.h"
#include "kelmorstart.h"
#include "scriptedseam.h"

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void reportAddsAPeriodOnlyAfterLaterCharacters_data();
    void reportAddsAPeriodOnlyAfterLaterCharacters();
    void errorEscapingASlotIsReportedAndTheProgramGoesOn();
    void errorThatIsNoExceptionIsReportedAsUnknown();
    void runningOutOfMemoryIsReportedInGerman();
    void failingSaveAtLogOffCancelsItAndIsReported();
    void editorComesUpAndEndsCleanly();
    void unreadableCommandLineFileIsReportedAndStartUpGoesOn();
    void editorOpensItsCommandLineFileAndEndsByAltX();
    void qtOptionsOnTheCommandLineAreUnknownSwitches();
    void errorEndingACommandLeavesNoLeak_data();
    void errorEndingACommandLeavesNoLeak();
    void fileDialogLeavesOnlyTheProgramsSettingsWhichRememberItsFolder();
    void styleDrawsAsTheDesktopsOwn();
};

void TestShell::reportAddsAPeriodOnlyAfterLaterCharacters_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("report");
    // clang-format off
    QTest::newRow("letter") << "Datei nicht gefunden" << "Datei nicht gefunden.";
    QTest::newRow("digit") << "E/A-Fehler 103" << "E/A-Fehler 103.";
    QTest::newRow("umlaut") << "Zugriff verweigert: Ä" << "Zugriff verweigert: Ä.";
    QTest::newRow("period") << "Schon fertig." << "Schon fertig.";
    QTest::newRow("exclamation mark") << "Achtung!" << "Achtung!";
    QTest::newRow("closing parenthesis") << "Fehler (5)" << "Fehler (5)";
    QTest::newRow("hyphen, code 45") << "Ende -" << "Ende -";
    QTest::newRow("slash, code 47") << "Pfad /" << "Pfad /.";
    QTest::newRow("empty") << "" << "";
    // clang-format on
}

void TestShell::reportAddsAPeriodOnlyAfterLaterCharacters()
{
    QFETCH(QString, message);
    QFETCH(QString, report);
    QCOMPARE(TKelmorApplication::ReportText(message), report);
}

void TestShell::errorEscapingASlotIsReportedAndTheProgramGoesOn()
{
    auto *app = static_cast<TKelmorApplication *>(qApp);
    TScriptedSeam seam;
    app->SetReportSeam(&seam);
    QPushButton button(QStringLiteral("Los"));
    int clicks = 0;
    connect(&button, &QPushButton::clicked, [&clicks] {
        ++clicks;
        throw EMirolaError("Versuch hinter dem Dateiende zu lesen");
    });
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));

    seam.Acknowledgements = 2;
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    app->SetReportSeam(nullptr);

    QCOMPARE(clicks, 2);
    QCOMPARE(seam.Calls.size(), 2);
    QCOMPARE(seam.Calls.at(0).Kind, QStringLiteral("ErrorReport"));
    QCOMPARE(seam.Calls.at(0).Caption, QStringLiteral("Kelmor für Mirola Classic"));
    QCOMPARE(seam.Calls.at(0).Text, QStringLiteral("Versuch hinter dem Dateiende zu lesen."));
}

void TestShell::errorThatIsNoExceptionIsReportedAsUnknown()
{
    auto *app = static_cast<TKelmorApplication *>(qApp);
    TScriptedSeam seam;
    app->SetReportSeam(&seam);
    // A queued call reaches its slot through notify() as a click does, but passes no
    // widget on the way, whose cleanup Qt would skip while the error unwinds.
    QObject receiver;
    bool thrown = false;
    QMetaObject::invokeMethod(
        &receiver,
        [&thrown] {
            thrown = true;
            throw 42;
        },
        Qt::QueuedConnection);
    seam.Acknowledgements = 1;
    QCoreApplication::sendPostedEvents(&receiver);
    app->SetReportSeam(nullptr);

    QVERIFY(thrown);
    QCOMPARE(seam.Calls.size(), 1);
    QCOMPARE(seam.Calls.at(0).Kind, QStringLiteral("ErrorReport"));
    QCOMPARE(seam.Calls.at(0).Caption, QStringLiteral("Kelmor für Mirola Classic"));
    QCOMPARE(seam.Calls.at(0).Text, QStringLiteral("Unbekannter Fehler."));
}

// A failed allocation is reported in the program's language, not by the library's
// name for it ("std::bad_alloc").
void TestShell::runningOutOfMemoryIsReportedInGerman()
{
    auto *app = static_cast<TKelmorApplication *>(qApp);
    TScriptedSeam seam;
    app->SetReportSeam(&seam);
    QObject receiver;
    QMetaObject::invokeMethod(
        &receiver, [] { throw std::bad_alloc(); }, Qt::QueuedConnection);
    seam.Acknowledgements = 1;
    QCoreApplication::sendPostedEvents(&receiver);
    app->SetReportSeam(nullptr);

    QCOMPARE(seam.Calls.size(), 1);
    QCOMPARE(seam.Calls.at(0).Kind, QStringLiteral("ErrorReport"));
    QCOMPARE(seam.Calls.at(0).Text, QStringLiteral("Zu wenig Arbeitsspeicher."));
}

void TestShell::failingSaveAtLogOffCancelsItAndIsReported()
{
    auto *app = static_cast<TKelmorApplication *>(qApp);
    QTemporaryDir dir;
    auto seam = std::make_unique<TScriptedSeam>();
    TScriptedSeam &calls = *seam;
    const std::unique_ptr<TKelmorFrm> frm = StartKelmor(*app, {}, std::move(seam));
    auto doc = std::make_unique<TMirolaFile>();
    doc->Add();
    frm->InstallDocument(std::move(doc));
    // The folder is gone, so saving fails.
    frm->dokname = dir.filePath(QStringLiteral("fehlt/quiz.mfd"));
    frm->Question1->setText(QStringLiteral("Neue Frage"));

    struct : TLogOffRequest {
        bool Cancelled = false;
        bool AllowsInteraction() override { return true; }
        void Cancel() override { Cancelled = true; }
    } request;
    calls.DlgAnswers.push_back(TModalResult::mrYes);
    frm->SessionEnding(request);
    QVERIFY(request.Cancelled);
    // The report waits until the session manager has its answer.
    QCOMPARE(calls.Calls.size(), 1);
    calls.Acknowledgements = 1;
    QCoreApplication::sendPostedEvents(frm.get());
    app->SetReportSeam(nullptr);
    QCOMPARE(calls.Calls.size(), 2);
    QCOMPARE(calls.Calls.at(1).Kind, QStringLiteral("ErrorReport"));
    QVERIFY(frm->IsChanged());
}

void TestShell::editorComesUpAndEndsCleanly()
{
    QProcess kelmor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    kelmor.setProcessEnvironment(env);
    kelmor.start(QStringLiteral(KELMOR_BINARY), {});
    QVERIFY(kelmor.waitForStarted());
    // Still running after a while: it made its window and waits for the user.
    QVERIFY(!kelmor.waitForFinished(1500));
    kelmor.terminate();
    QVERIFY(kelmor.waitForFinished(5000));
    QCOMPARE(kelmor.exitStatus(), QProcess::CrashExit);  // ended by the signal, not by itself
    const QString errors = QString::fromLocal8Bit(kelmor.readAllStandardError());
    QVERIFY2(!errors.contains(QStringLiteral("Sanitizer")) && !errors.contains(QStringLiteral("runtime error")) &&
                 !errors.contains(QStringLiteral("terminate called")),
             qPrintable(errors));
}

void TestShell::unreadableCommandLineFileIsReportedAndStartUpGoesOn()
{
    QTemporaryDir dir;
    const QString damaged = dir.filePath(QStringLiteral("kaputt.mfd"));
    QFile file(damaged);
    QVERIFY(file.open(QFile::WriteOnly));
    file.write("Titel\r\n:12x4\r\n");
    file.close();

    auto *app = static_cast<TKelmorApplication *>(qApp);
    auto seam = std::make_unique<TScriptedSeam>();
    TScriptedSeam &calls = *seam;
    calls.Acknowledgements = 1;
    const std::unique_ptr<TKelmorFrm> frm = StartKelmor(*app, {QFile::encodeName(damaged)}, std::move(seam));
    app->SetReportSeam(nullptr);

    QCOMPARE(calls.Calls.size(), 1);
    QCOMPARE(calls.Calls.at(0).Kind, QStringLiteral("ErrorReport"));
    // The file's name comes first: the reader's message alone does not say which file.
    QCOMPARE(calls.Calls.at(0).Text, damaged + QStringLiteral("\r'12x4' ist kein gültiger Integerwert."));
    QVERIFY(!frm->IsFileLoaded());
    QCOMPARE(frm->windowTitle(), QStringLiteral("Kelmor für Mirola Classic (v 10.2 - brixlon xiii/mmv )"));
    QCOMPARE(frm->dokname, QStringLiteral("Unbenannt"));
    // Start-up went on to the about box.
    QVERIFY(frm->AboutBox != nullptr);
    QCOMPARE(frm->AboutBox->windowTitle(), QStringLiteral("Info über Kelmor für Mirola Classic"));
}

namespace {

// A virtual X display of its own, for driving the real program with real keys.
class TVirtualDisplay {
public:
    TVirtualDisplay()
    {
        // -displayfd picks a free display and reports its number on the given descriptor.
        // -noreset: by default the server starts over when its last client leaves, and
        // a program started in that moment finds no display.
        FServer.setProgram(QStandardPaths::findExecutable(QStringLiteral("Xvfb")));
        FServer.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                              QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-screen"),
                              QStringLiteral("0"), QStringLiteral("1280x1024x24")});
        if (FServer.program().isEmpty())
            return;
        FServer.start();
        if (FServer.waitForStarted() && FServer.waitForReadyRead(10000)) {
            const QByteArray number = FServer.readLine().trimmed();
            if (!number.isEmpty())
                Name = QStringLiteral(":") + QString::fromLatin1(number);
        }
    }
    ~TVirtualDisplay()
    {
        FServer.terminate();
        FServer.waitForFinished(5000);
    }

    QString Name;  // empty when no display could be started

    // xdotool on this display; false when it failed. Its output goes to `output`.
    bool Tool(const QStringList &arguments, QByteArray *output = nullptr) const
    {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), Name);
        tool.setProcessEnvironment(env);
        tool.start(QStringLiteral("xdotool"), arguments);
        if (!tool.waitForFinished(20000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
            return false;
        if (output != nullptr)
            *output = tool.readAllStandardOutput();
        return true;
    }

    // The shown windows whose title matches `pattern` (a regular expression), without
    // waiting for one to come.
    QStringList Windows(const QString &pattern) const
    {
        QByteArray found;
        if (!Tool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), pattern},
                  &found))
            return {};
        return QString::fromLatin1(found).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // Waits for a shown window matching `pattern` that is none of `known`; empty when
    // none came in time.
    QString NewWindow(const QString &pattern, const QStringList &known, int timeoutMs) const
    {
        const QDeadlineTimer deadline(timeoutMs);
        do {
            for (const QString &window : Windows(pattern)) {
                if (!known.contains(window))
                    return window;
            }
            QTest::qWait(100);
        } while (!deadline.hasExpired());
        return {};
    }

private:
    QProcess FServer;
};

// The built editor on a virtual display, killed if a test ends before it does.
class TEditorRun {
public:
    explicit TEditorRun(const TVirtualDisplay &display) : FDisplay(display)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display.Name);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        FProcess.setProcessEnvironment(env);
    }
    ~TEditorRun()
    {
        if (FProcess.state() != QProcess::NotRunning) {
            FProcess.kill();
            FProcess.waitForFinished(5000);
        }
    }

    QProcess &Process() { return FProcess; }

    bool Start(const QString &folder, const QStringList &arguments)
    {
        FProcess.setWorkingDirectory(folder);
        FProcess.start(QStringLiteral(KELMOR_BINARY), arguments);
        return FProcess.waitForStarted();
    }

    // Presses Alt+X in `window` and expects the editor to end by itself, cleanly.
    void EndByAltX(const QString &window)
    {
        QVERIFY(FDisplay.Tool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}));
        QVERIFY(FDisplay.Tool({QStringLiteral("key"), QStringLiteral("alt+x")}));
        QVERIFY(FProcess.waitForFinished(10000));
        QCOMPARE(FProcess.exitStatus(), QProcess::NormalExit);
        QCOMPARE(FProcess.exitCode(), 0);
        const QString errors = QString::fromLocal8Bit(FProcess.readAllStandardError());
        QVERIFY2(!errors.contains(QStringLiteral("Sanitizer")) && !errors.contains(QStringLiteral("runtime error")),
                 qPrintable(errors));
    }

private:
    const TVirtualDisplay &FDisplay;
    QProcess FProcess;
};

// The bundled example as beispiel.mfd in a folder of the test's own: the editor holds
// it as its document, and a fault on the way out could write it.
bool CopyExampleInto(const QTemporaryDir &folder)
{
    return folder.isValid() && QFile::copy(QStringLiteral(KELMOR_EXAMPLES "/beispiel.mfd"),
                                           folder.filePath(QStringLiteral("beispiel.mfd")));
}

}  // namespace

void TestShell::editorOpensItsCommandLineFileAndEndsByAltX()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is not installed");
    const TVirtualDisplay display;
    if (display.Name.isEmpty())
        QSKIP("no virtual X display could be started");

    QTemporaryDir folder;
    QVERIFY(CopyExampleInto(folder));
    TEditorRun kelmor(display);
    QVERIFY(kelmor.Start(folder.path(), {QStringLiteral("beispiel.mfd")}));

    // The window comes up with the file named as it was given.
    QByteArray found;
    QVERIFY2(display.Tool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                           QStringLiteral("--name"), QStringLiteral("Kelmor für Mirola - \\[beispiel\\.mfd\\]")},
                          &found),
             kelmor.Process().readAllStandardError().constData());
    kelmor.EndByAltX(QString::fromLatin1(found.split('\n').constFirst().trimmed()));
}

void TestShell::qtOptionsOnTheCommandLineAreUnknownSwitches()
{
    // Qt would take "-reverse" and "-style fusion" for itself and say nothing; the
    // program knows no such switches and says so once for each of the three words.
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is not installed");
    const TVirtualDisplay display;
    if (display.Name.isEmpty())
        QSKIP("no virtual X display could be started");

    QTemporaryDir folder;
    QVERIFY(CopyExampleInto(folder));
    TEditorRun kelmor(display);
    QVERIFY(kelmor.Start(folder.path(), {QStringLiteral("-reverse"), QStringLiteral("-style"), QStringLiteral("fusion"),
                                         QStringLiteral("beispiel.mfd")}));

    // Each usage message is a box of its own, answered before the next one comes.
    const QString usageBox = QStringLiteral("^Fehler$");
    const QString documentWindow = QStringLiteral("^Kelmor für Mirola - \\[beispiel\\.mfd\\]$");
    QStringList answered;
    for (int box = 1; box <= 3; ++box) {
        const QString window = display.NewWindow(usageBox, answered, 30000);
        QVERIFY2(!window.isEmpty(), qPrintable(QStringLiteral("usage message %1 of 3 did not come").arg(box)));
        QVERIFY(display.Windows(documentWindow).isEmpty());
        QVERIFY(display.Tool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}));
        QVERIFY(display.Tool({QStringLiteral("key"), QStringLiteral("Escape")}));
        answered << window;
    }

    // Then the file is opened and the window comes up with it, and no fourth box.
    const QString window = display.NewWindow(documentWindow, {}, 30000);
    QVERIFY2(!window.isEmpty(), kelmor.Process().readAllStandardError().constData());
    QVERIFY(display.NewWindow(usageBox, answered, 500).isEmpty());
    kelmor.EndByAltX(window);
}

namespace {
enum class TFailingCommand { SaveByCtrlS, OpenFromTheMenu };
}

void TestShell::errorEndingACommandLeavesNoLeak_data()
{
    QTest::addColumn<TFailingCommand>("command");
    QTest::addColumn<QString>("report");
    QTest::newRow("Ctrl+S into a file that stands for a folder")
        << TFailingCommand::SaveByCtrlS << "Ungültiger Dateiname.";
    QTest::newRow("menu item Öffnen on a record file cut short")
        << TFailingCommand::OpenFromTheMenu << "Versuch hinter dem Dateiende zu lesen.";
}

void TestShell::errorEndingACommandLeavesNoLeak()
{
    // The commands as a user gives them, by key and by mouse, so that the error
    // meets Qt's delivery of a shortcut and of a menu choice on its way to the report.
    QFETCH(TFailingCommand, command);
    QFETCH(QString, report);
    auto *app = static_cast<TKelmorApplication *>(qApp);
    QTemporaryDir dir;
    auto seam = std::make_unique<TScriptedSeam>();
    TScriptedSeam &calls = *seam;
    std::unique_ptr<TKelmorFrm> frm = StartKelmor(*app, {}, std::move(seam));
    const auto noReportSeam = qScopeGuard([app] { app->SetReportSeam(nullptr); });
    frm->show();
    frm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frm.get()));

    calls.Acknowledgements = 1;
    switch (command) {
    case TFailingCommand::SaveByCtrlS: {
        QFile blocker(dir.filePath(QStringLiteral("fragen.mfd")));
        QVERIFY(blocker.open(QFile::WriteOnly));
        blocker.close();
        auto doc = std::make_unique<TMirolaFile>();
        doc->Add();
        frm->InstallDocument(std::move(doc));
        frm->dokname = dir.filePath(QStringLiteral("fragen.mfd/quiz.mfd"));
        frm->Question1->setText(QStringLiteral("Neue Frage"));
        QTest::keyClick(frm.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(frm->IsChanged());
        break;
    }
    case TFailingCommand::OpenFromTheMenu: {
        // One byte short of the header record.
        const QString shortFile = dir.filePath(QStringLiteral("kurz.raf"));
        QFile file(shortFile);
        QVERIFY(file.open(QFile::WriteOnly));
        file.write(QByteArray(434, 'M'));
        file.close();
        calls.FileAnswers.push_back({true, shortFile, 1});
        QTest::mouseClick(frm->MainMenu1, Qt::LeftButton, {},
                          frm->MainMenu1->actionGeometry(frm->Datei1->menuAction()).center());
        QTRY_VERIFY(frm->Datei1->isVisible());
        QTest::mouseClick(frm->Datei1, Qt::LeftButton, {}, frm->Datei1->actionGeometry(frm->ffnen1).center());
        QVERIFY(!frm->IsFileLoaded());
        break;
    }
    }
    QCOMPARE(calls.Calls.size(), command == TFailingCommand::OpenFromTheMenu ? 2 : 1);
    QCOMPARE(calls.Calls.last().Kind, QStringLiteral("ErrorReport"));
    if (command == TFailingCommand::OpenFromTheMenu)
        report.prepend(dir.filePath(QStringLiteral("kurz.raf")) + QLatin1Char('\r'));
    QCOMPARE(calls.Calls.last().Text, report);

    // What the window's objects held on the way is found lost once they are gone.
    frm.reset();
#ifdef __SANITIZE_ADDRESS__
    QCOMPARE(__lsan_do_recoverable_leak_check(), 0);
#endif
}

void TestShell::fileDialogLeavesOnlyTheProgramsSettingsWhichRememberItsFolder()
{
    // Qt's file dialog would keep a folder history in a file of Qt's own. The program
    // writes its own settings file only, and the folder it remembers there is where
    // the Open dialog of the next run starts.
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is not installed");
    const TVirtualDisplay display;
    if (display.Name.isEmpty())
        QSKIP("no virtual X display could be started");

    // A home of its own, never the user's; started from another folder. Their names
    // are typed into the dialog, so they keep to ASCII: xdotool types other characters
    // by remapping a key for each, which keys typed under load can overtake.
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/kelmor-home-XXXXXX"));
    QTemporaryDir elsewhere(QDir::tempPath() + QStringLiteral("/kelmor-start-XXXXXX"));
    QVERIFY(home.isValid() && elsewhere.isValid());
    const QString config = home.filePath(QStringLiteral(".config"));
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("fragen")));
    const QString quiz = home.filePath(QStringLiteral("fragen/quiz.mfd"));
    QVERIFY(QFile::copy(QStringLiteral(KELMOR_EXAMPLES "/beispiel.mfd"), quiz));

    // Opens `typed` through the Open dialog and ends the program by Alt+X.
    const auto openThroughTheDialog = [&](const QString &typed) {
        TEditorRun kelmor(display);
        QProcessEnvironment env = kelmor.Process().processEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORMTHEME"));  // Qt's own dialog, not a desktop's
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral(".cache")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral(".local/share")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), home.filePath(QStringLiteral(".local/state")));
        kelmor.Process().setProcessEnvironment(env);
        QVERIFY(kelmor.Start(elsewhere.path(), {}));
        const QString window = display.NewWindow(QStringLiteral("^Kelmor für Mirola Classic \\("), {}, 30000);
        QVERIFY2(!window.isEmpty(), kelmor.Process().readAllStandardError().constData());
        QVERIFY(display.Tool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}));
        // Datei, Öffnen: the menu by its access letter, then the second item by the
        // arrow keys once the menu is there to take them (Öffnen has no shortcut, and
        // its access letter is typed by remapping a key, which load can overtake). A
        // menu opened so has no item chosen yet, and its window no name that xdotool
        // searches.
        const QStringList unnamed = display.Windows(QStringLiteral("^$"));
        QVERIFY(display.Tool({QStringLiteral("key"), QStringLiteral("alt+d")}));
        QVERIFY(!display.NewWindow(QStringLiteral("^$"), unnamed, 30000).isEmpty());
        QVERIFY(display.Tool(
            {QStringLiteral("key"), QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Return")}));
        const QString dialog = display.NewWindow(QStringLiteral("^Mirola-Datei öffnen"), {}, 30000);
        QVERIFY(!dialog.isEmpty());
        QVERIFY(display.Tool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), dialog}));
        QVERIFY(display.Tool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), typed}));
        QVERIFY(display.Tool({QStringLiteral("key"), QStringLiteral("Return")}));
        const QString opened = display.NewWindow(QStringLiteral("^Kelmor für Mirola - \\[.*quiz\\.mfd\\]$"), {}, 30000);
        QVERIFY2(!opened.isEmpty(), "the file did not open");
        kelmor.EndByAltX(opened);
    };

    openThroughTheDialog(quiz);
    if (QTest::currentTestFailed())
        return;
    QStringList written;
    QDirIterator files(home.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = QDir(home.path()).relativeFilePath(files.next());
        if (file != QLatin1String("fragen/quiz.mfd"))
            written << file;
    }
    QCOMPARE(written.join(QStringLiteral(", ")), QStringLiteral(".config/Kelmor/Kelmor für Mirola Classic.ini"));

    // The bare name is found in the folder of the last run.
    openThroughTheDialog(QStringLiteral("quiz.mfd"));
}

#ifdef __SANITIZE_ADDRESS__
// Qt is built without frame pointers, so the fast unwinder stops at the first Qt
// frame; the leak suppressions for Qt's event objects need to see those frames.
extern "C" const char *__asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}
#endif

void TestShell::styleDrawsAsTheDesktopsOwn()
{
    // The menu bar's overflow picture comes late, but it is the desktop style's own.
    const auto *style = qobject_cast<QProxyStyle *>(QApplication::style());
    QVERIFY(style != nullptr);
    for (const QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
          QStyle::SP_MessageBoxWarning}) {
        const QImage shown = QApplication::style()->standardIcon(which).pixmap(16).toImage();
        QVERIFY(!shown.isNull());
        QCOMPARE(shown, style->baseStyle()->standardIcon(which).pixmap(16).toImage());
    }
    QCOMPARE(style->baseStyle()->name(), QStringLiteral("fusion"));
}

int main(int argc, char *argv[])
{
    TKelmorApplication app(argc, argv);
    TestShell test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shell.moc"
