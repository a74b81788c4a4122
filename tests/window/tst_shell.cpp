// The program as a whole: an error that escapes a command is reported and the
// program goes on, and the built editor comes up and ends cleanly.
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "errors.h"
#include "kelmorapp.h"
#include "scriptedseam.h"

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void reportAddsAPeriodOnlyAfterLaterCharacters_data();
    void reportAddsAPeriodOnlyAfterLaterCharacters();
    void errorEscapingASlotIsReportedAndTheProgramGoesOn();
    void errorThatIsNoExceptionIsReportedAsUnknown();
    void editorComesUpAndEndsCleanly();
};

void TestShell::reportAddsAPeriodOnlyAfterLaterCharacters_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("report");
    QTest::newRow("letter") << "Datei nicht gefunden" << "Datei nicht gefunden.";
    QTest::newRow("digit") << "E/A-Fehler 103" << "E/A-Fehler 103.";
    QTest::newRow("umlaut") << "Zugriff verweigert: Ä" << "Zugriff verweigert: Ä.";
    QTest::newRow("period") << "Schon fertig." << "Schon fertig.";
    QTest::newRow("exclamation mark") << "Achtung!" << "Achtung!";
    QTest::newRow("closing parenthesis") << "Fehler (5)" << "Fehler (5)";
    QTest::newRow("hyphen, code 45") << "Ende -" << "Ende -";
    QTest::newRow("slash, code 47") << "Pfad /" << "Pfad /.";
    QTest::newRow("empty") << "" << "";
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

#ifdef __SANITIZE_ADDRESS__
// Qt is built without frame pointers, so the fast unwinder stops at the first Qt
// frame; the leak suppressions for Qt's event objects need to see those frames.
extern "C" const char *__asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}
#endif

int main(int argc, char *argv[])
{
    TKelmorApplication app(argc, argv);
    TestShell test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shell.moc"
