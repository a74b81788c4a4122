// Documents coming in: the command line, opening by extension, the Open command, a
// file dropped from a file manager, New and the file information dialog with its
// statistics.
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <filesystem>

#include "bevelpanel.h"
#include "editfield.h"
#include "errors.h"
#include "neuedatdlg.h"
#include "textedge.h"
#include "windowfixture.h"

namespace {

const QString Usage =
    QStringLiteral("Ungültiger Kommandozeilenparameter\rGültige Syntax:   KELMOR   [Optionen]   [DateiName]\r\r"
                   "[ Dateiname ] : Öffnet die Datei\r-h :    ruft die Hilfe zu Kelmor auf\r"
                   "-k :    konvertiert Datei von .DAT -> .RAF");
const QString NotATextEditor = QStringLiteral("Dies ist aber kein Texteditor, gell?!");

// A folder of question files that is the current directory while it lives, so that
// names can be given relative.
struct TFolder {
    QTemporaryDir Dir;
    QString Before = QDir::currentPath();

    TFolder() { QDir::setCurrent(Dir.path()); }
    ~TFolder() { QDir::setCurrent(Before); }

    // A file of `count` distinct records, the first question line naming `tag`.
    QString Questions(const QString &name, int count, const char *tag, tMirolaFType type = ftTXT)
    {
        auto doc = DistinctDocument(count);
        doc->Data.at(0).Question[0] = tag;
        doc->DatRec = doc->Data.at(0);
        doc->SaveToFile(Dir.filePath(name).toStdString(), type);
        return Dir.filePath(name);
    }
    QString Bytes(const QString &name, const QByteArray &bytes)
    {
        ::QFile file(Dir.filePath(name));
        file.open(::QFile::WriteOnly);
        file.write(bytes);
        return Dir.filePath(name);
    }
};

int CountOf(const TScriptedSeam &seam, const QString &text)
{
    int n = 0;
    for (const TSeamCall &call : seam.Calls)
        n += call.Text == text;
    return n;
}

}  // namespace

class TestDocuments : public QObject {
    Q_OBJECT
private slots:
    void commandLineOpensTheFirstFileItNames_data();
    void commandLineOpensTheFirstFileItNames();
    void openChoosesByExtension_data();
    void openChoosesByExtension();
    void failingOpenKeepsTheOpenDocument();
    void openCommandAsksFirstAndOpensUnchanged();
    void newMakesAnUntitledDocumentOfOneRecord();
    void newAsksFirstAndCancelKeepsEverything();
    void fileInformationEditsTheHeaderTexts();
    void fileInformationKeepsBytesAndLengthsItDidNotTouch();
    void newFileDialogLooksAsDrawn();
    void fileInformationCountsTheQuestions_data();
    void fileInformationCountsTheQuestions();
    void droppedFileIsOpenedAsOpenDoes_data();
    void droppedFileIsOpenedAsOpenDoes();
    void commandLineNameThatIsNoTextOpensAndSaves();
};

void TestDocuments::commandLineOpensTheFirstFileItNames_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("usageMessages");
    QTest::addColumn<int>("helpRequests");
    QTest::addColumn<bool>("txtWarning");
    QTest::addColumn<QString>("opened");  // dokname, empty for none
    QTest::newRow("nothing") << QStringList{} << 0 << 0 << false << QString();
    QTest::newRow("switches in any case") << QStringList{"-H", "-?", "-K", "-h"} << 0 << 3 << false << QString();
    QTest::newRow("unknown switch") << QStringList{"-x"} << 1 << 0 << false << QString();
    QTest::newRow("switch as part of an argument") << QStringList{"-hk"} << 1 << 0 << false << QString();
    QTest::newRow("third names the file")
        << QStringList{"-x", "fehlt.mfd", "eins.mfd"} << 2 << 0 << false << "eins.mfd";
    QTest::newRow("only the first file") << QStringList{"eins.mfd", "zwei.mfd", "-x"} << 0 << 0 << false << "eins.mfd";
    QTest::newRow("folder") << QStringList{"ordner", "zwei.mfd"} << 1 << 0 << false << "zwei.mfd";
    QTest::newRow("txt before a question file") << QStringList{"notiz.txt", "eins.mfd"} << 0 << 0 << true << QString();
    QTest::newRow("relative with folder")
        << QStringList{"-k", "ordner/../zwei.mfd"} << 0 << 0 << false << "ordner/../zwei.mfd";
}

void TestDocuments::commandLineOpensTheFirstFileItNames()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, usageMessages);
    QFETCH(int, helpRequests);
    QFETCH(bool, txtWarning);
    QFETCH(QString, opened);
    TFolder folder;
    folder.Questions("eins.mfd", 2, "Erste Datei");
    folder.Questions("zwei.mfd", 3, "Zweite Datei");
    folder.Bytes("notiz.txt", "Notiz\r\n");
    QDir(folder.Dir.path()).mkdir(QStringLiteral("ordner"));

    QList<QByteArray> commandLine;
    for (const QString &argument : arguments)
        commandLine << QFile::encodeName(argument);
    TWindowFixture f(commandLine, [&](TScriptedSeam &seam) {
        for (int i = 0; i < usageMessages; ++i)
            seam.DlgAnswers.push_back(TModalResult::mrCancel);
        if (txtWarning)
            seam.DlgAnswers.push_back(TModalResult::mrYes);
    });
    const TKelmorFrm &w = *f.Frm;
    QCOMPARE(f.Seam->Calls.size(), usageMessages + int(txtWarning));
    QCOMPARE(CountOf(*f.Seam, Usage), usageMessages);
    for (const TSeamCall &call : f.Seam->Calls) {
        if (call.Text == Usage) {
            QCOMPARE(call.Type, TMsgDlgType::mtError);
            QCOMPARE(call.Buttons, TMsgDlgButtons(TMsgDlgBtn::mbCancel));
        } else {
            QCOMPARE(call.Text, NotATextEditor);
            QCOMPARE(call.Type, TMsgDlgType::mtWarning);
            QCOMPARE(call.Buttons, TMsgDlgButtons(TMsgDlgBtn::mbYes));
        }
    }
    QCOMPARE(f.Seam->HelpCommands.size(), helpRequests);
    for (const auto &request : f.Seam->HelpCommands)
        QCOMPARE(request, qMakePair(unsigned(HELP_CONTENTS), QVariant(0)));

    QCOMPARE(w.IsFileLoaded(), !opened.isEmpty());
    QVERIFY(!w.IsChanged());
    if (opened.isEmpty()) {
        QCOMPARE(w.windowTitle(), QStringLiteral("Kelmor für Mirola Classic (v 10.2 - brixlon xiii/mmv )"));
        QCOMPARE(w.dokname, QStringLiteral("Unbenannt"));
    } else {
        QCOMPARE(w.dokname, opened);
        QCOMPARE(w.windowTitle(), QStringLiteral("Kelmor für Mirola - [%1]").arg(opened));
        QCOMPARE(w.Question1->text(), opened.endsWith("eins.mfd") ? "Erste Datei" : "Zweite Datei");
    }
}

enum class TOpened { Text, Record, Refused };
Q_DECLARE_METATYPE(TOpened)

void TestDocuments::openChoosesByExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<TOpened>("opened");
    QTest::newRow(".mfd") << "a.mfd" << TOpened::Text;
    QTest::newRow(".MFD") << "b.MFD" << TOpened::Text;
    QTest::newRow(".Dat") << "c.Dat" << TOpened::Text;
    QTest::newRow(".mfdx") << "d.mfdx" << TOpened::Text;
    QTest::newRow(".datei") << "e.datei" << TOpened::Text;
    QTest::newRow(".rafx is text") << "f.rafx" << TOpened::Text;
    QTest::newRow(".raf") << "g.raf" << TOpened::Record;
    QTest::newRow(".RAF") << "h.RAF" << TOpened::Record;
    QTest::newRow("no extension") << "fragen" << TOpened::Refused;
    QTest::newRow("dot in the folder only") << "x.mfd/../fragen" << TOpened::Refused;
    QTest::newRow(".md") << "i.md" << TOpened::Refused;
}

void TestDocuments::openChoosesByExtension()
{
    QFETCH(QString, name);
    QFETCH(TOpened, opened);
    TFolder folder;
    QDir(folder.Dir.path()).mkdir(QStringLiteral("x.mfd"));
    if (opened != TOpened::Refused)
        folder.Questions(name, 3, "Geladen", opened == TOpened::Record ? ftRAF : ftTXT);
    else
        folder.Bytes(QStringLiteral("fragen"), "egal");

    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    if (opened == TOpened::Refused)
        f.Seam->DlgAnswers.push_back(TModalResult::mrCancel);
    w.OpenDoc(name);
    if (opened == TOpened::Refused) {
        QCOMPARE(f.Seam->Calls.constLast().Text,
                 QStringLiteral("Unbekanntes Dateiformat.\rKann Datei \"%1\" nicht öffnen.")
                     .arg(QDir::cleanPath(folder.Dir.filePath(name))));
        QCOMPARE(f.Seam->Calls.constLast().Type, TMsgDlgType::mtError);
        QVERIFY(!w.IsFileLoaded());
        QCOMPARE(w.dokname, QStringLiteral("Unbenannt"));
        return;
    }
    QVERIFY(w.IsFileLoaded());
    QCOMPARE(w.QFile->Count(), 3);
    QCOMPARE(w.Question1->text(), QStringLiteral("Geladen"));
    QCOMPARE(w.Question2->text(), OemToQString(DistinctRecord(0).Question[1].view()));
    QCOMPARE(w.NumberOfPanel->text(), QStringLiteral("Datensätze: 3"));
    QCOMPARE(w.IndexPanel->text(), QStringLiteral("Datensatz Nr. 1"));
}

void TestDocuments::failingOpenKeepsTheOpenDocument()
{
    TFolder folder;
    folder.Questions("gut.mfd", 2, "Gut");
    folder.Bytes("leer.mfd", "Leer\r\n:0000\r\nAutor    : \r\nCopyright: \r\n\r\n");
    folder.Bytes("kaputt.dat", "Kaputt\r\n:00x1\r\n");
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    w.OpenDoc(QStringLiteral("gut.mfd"));
    QTest::keyClicks(w.Question2, QStringLiteral("!"));
    const QString typed = w.Question2->text();

    // The message names the file on its first line, in full, then what the reader found.
    const std::pair<QString, QString> failing[] = {
        {QStringLiteral("leer.mfd"), QStringLiteral("Listenindex außerhalb des gültigen Bereichs (0). TList ist leer")},
        {QStringLiteral("kaputt.dat"), QStringLiteral("'00x1' ist kein gültiger Integerwert")},
        {QStringLiteral("fehlt.mfd"), QStringLiteral("Datei nicht gefunden")},
    };
    for (const auto &[name, reason] : failing) {
        QString message;
        try {
            w.OpenDoc(name);
        } catch (const EMirolaError &error) {
            message = QString::fromStdString(error.Message());
        }
        QCOMPARE(message, QDir::cleanPath(folder.Dir.filePath(name)) + QLatin1Char('\r') + reason);
    }
    QCOMPARE(w.dokname, QStringLiteral("gut.mfd"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelmor für Mirola - [gut.mfd]"));
    QCOMPARE(w.Question1->text(), QStringLiteral("Gut"));
    QCOMPARE(w.Question2->text(), typed);
    QCOMPARE(w.QFile->Count(), 2);
    QVERIFY(w.IsChanged());
}

void TestDocuments::openCommandAsksFirstAndOpensUnchanged()
{
    TFolder folder;
    const QString eins = folder.Questions("eins.mfd", 2, "Eins");
    const QString zwei = folder.Questions("zwei.dat", 4, "Zwei");
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;

    // Nothing to ask about: the dialog comes at once.
    f.Seam->FileAnswers.push_back({true, eins, 1});
    QVERIFY(f.Trigger(w.ffnen1));
    QCOMPARE(f.Seam->FileDialogs.constLast().Title, QStringLiteral("Mirola-Datei öffnen..."));
    QCOMPARE(w.dokname, eins);
    QVERIFY(!w.IsChanged());
    QVERIFY(!w.SaveButton->isEnabled());

    // A changed document: Cancel keeps everything and shows no dialog.
    QTest::keyClicks(w.CommentEdit, QStringLiteral("neu"));
    f.Seam->DlgAnswers.push_back(TModalResult::mrCancel);
    QVERIFY(f.Trigger(w.ffnen1));
    QCOMPARE(f.Seam->Calls.constLast().Text,
             QStringLiteral("Die Datei \"%1\" wurde geändert.\rÄnderungen speichern?").arg(eins));
    QCOMPARE(f.Seam->Calls.constLast().Buttons, TMsgDlgBtn::mbYes | TMsgDlgBtn::mbNo | TMsgDlgBtn::mbCancel);
    QCOMPARE(f.Seam->FileDialogs.size(), 1);
    QVERIFY(w.CommentEdit->text().endsWith(QStringLiteral("neu")));

    // No: the dialog comes; cancelling it keeps the document and its edit.
    f.Seam->DlgAnswers.push_back(TModalResult::mrNo);
    f.Seam->FileAnswers.push_back({});
    QVERIFY(f.Trigger(w.ffnen1));
    QCOMPARE(w.dokname, eins);
    QVERIFY(w.IsChanged());

    // No again, and another file takes the document's place.
    f.Seam->DlgAnswers.push_back(TModalResult::mrNo);
    f.Seam->FileAnswers.push_back({true, zwei, 1});
    QVERIFY(f.Trigger(w.ffnen1));
    QCOMPARE(w.dokname, zwei);
    QCOMPARE(w.QFile->Count(), 4);
    QCOMPARE(w.Question1->text(), QStringLiteral("Zwei"));
    QVERIFY(!w.IsChanged());
}

void TestDocuments::newMakesAnUntitledDocumentOfOneRecord()
{
    for (int round = 0; round < 2; ++round) {
        TWindowFixture f;
        TKelmorFrm &w = *f.Frm;
        QStringList shown;
        f.Seam->DialogAnswers.push_back([&shown, round](QDialog &d) {
            auto &dialog = static_cast<TNeueDatDlg &>(d);
            shown << dialog.windowTitle() << dialog.TitleEdit->text() << dialog.AutorInfoEdit->text()
                  << dialog.CopyrightInfoEdit->text();
            if (round == 1)
                TNeueDatDlg::SetFieldText(dialog.TitleEdit,
                                          QStringLiteral("Äpfel & Birnen: 36 Zeichen für den Titel!"));
            return int(QDialog::Accepted);
        });
        QVERIFY(f.Trigger(w.Neu1));
        QCOMPARE(shown, (QStringList{"Neue Mirola-Datei", "Rumpelstilzchens fiese Fragen", "Rotkäppchen und der Wolf",
                                     "(c) 1855 by the Orlun-Brothers"}));
        QVERIFY(w.IsFileLoaded());
        QVERIFY(w.IsChanged());
        QVERIFY(w.SaveButton->isEnabled());
        QCOMPARE(w.dokname, QStringLiteral("Unbenannt"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Kelmor für Mirola - [Unbenannt]"));
        QCOMPARE(w.QFile->AutorInfo, std::string("Rotk\x84ppchen und der Wolf"));
        QCOMPARE(w.QFile->CopyrightInfo, std::string("(c) 1855 by the Orlun-Brothers"));
        QCOMPARE(w.QFile->Title.str(), round == 0 ? std::string("Rumpelstilzchens fiese Fragen")
                                                  : std::string("\x8E"
                                                                "pfel & Birnen: 36 Zeichen f\x81r den T"));
        QVERIFY(w.QFile->Comments.empty());
        QCOMPARE(w.QFile->Count(), 1);
        QVERIFY(w.SchwarzerPeterRadioButton->isChecked());
        QVERIFY(w.LevelItems[0]->isChecked());
        QCOMPARE(w.NumberOfPanel->text(), QStringLiteral("Datensätze: 1"));
        QCOMPARE(w.IndexPanel->text(), QStringLiteral("Datensatz Nr. 1"));
    }
}

void TestDocuments::newAsksFirstAndCancelKeepsEverything()
{
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    f.Install(DistinctDocument(3, 1));
    w.dokname = QStringLiteral("alt.mfd");
    QTest::keyClicks(w.Question1, QStringLiteral("?"));
    QVERIFY(w.IsChanged());

    f.Seam->DlgAnswers.push_back(TModalResult::mrCancel);
    QVERIFY(f.Trigger(w.Neu1));  // no dialog is queued: none may come
    f.Seam->DlgAnswers.push_back(TModalResult::mrNo);
    f.Seam->DialogAnswers.push_back([](QDialog &) { return int(QDialog::Rejected); });
    QVERIFY(f.Trigger(w.Neu1));
    QCOMPARE(w.QFile->Count(), 3);
    QCOMPARE(w.dokname, QStringLiteral("alt.mfd"));
    QVERIFY(w.Question1->text().endsWith(QLatin1Char('?')));
    QVERIFY(w.IsChanged());

    f.Seam->DlgAnswers.push_back(TModalResult::mrNo);
    f.Seam->DialogAnswers.push_back([](QDialog &) { return int(QDialog::Accepted); });
    QVERIFY(f.Trigger(w.Neu1));
    QCOMPARE(w.QFile->Count(), 1);
    QCOMPARE(w.dokname, QStringLiteral("Unbenannt"));
}

void TestDocuments::fileInformationEditsTheHeaderTexts()
{
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    f.Install(DistinctDocument(2));
    w.dokname = QStringLiteral("fragen.mfd");
    w.setWindowTitle(DocumentCaption(w.dokname));

    // Cancel changes nothing, whatever was typed.
    QStringList shown;
    f.Seam->DialogAnswers.push_back([&shown](QDialog &d) {
        auto &dialog = static_cast<TNeueDatDlg &>(d);
        shown << dialog.windowTitle() << dialog.TitleEdit->text() << dialog.AutorInfoEdit->text();
        dialog.TitleEdit->setText(QStringLiteral("Verworfen"));
        return int(QDialog::Rejected);
    });
    QVERIFY(f.Trigger(w.Dateiinformationen1));
    QCOMPARE(shown, (QStringList{"Dateiinformationen", "Testfragen Ä", "Autor Ö"}));
    QCOMPARE(w.QFile->Title.str(), std::string("Testfragen \x8E"));
    QVERIFY(!w.IsChanged());

    f.Seam->DialogAnswers.push_back([](QDialog &d) {
        auto &dialog = static_cast<TNeueDatDlg &>(d);
        dialog.AutorInfoEdit->setText(QStringLiteral("Müller"));
        dialog.CopyrightInfoEdit->clear();
        return int(QDialog::Accepted);
    });
    QVERIFY(f.Trigger(w.Dateiinformationen1));
    QCOMPARE(w.QFile->AutorInfo, std::string("M\x81ller"));
    QVERIFY(w.QFile->CopyrightInfo.empty());
    QVERIFY(w.IsChanged());
    QCOMPARE(w.dokname, QStringLiteral("fragen.mfd"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelmor für Mirola - [fragen.mfd]"));
}

void TestDocuments::fileInformationKeepsBytesAndLengthsItDidNotTouch()
{
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    auto doc = DistinctDocument(1);
    doc->Title = "Rahmen \xC9\xCD\xBB";  // box drawing, absent from the window's code page
    const std::string longAuthor(60, 'A');
    doc->AutorInfo = longAuthor + "\xB0";
    f.Install(std::move(doc));
    QList<qsizetype> lengths;
    f.Seam->DialogAnswers.push_back([&lengths](QDialog &d) {
        QLineEdit *author = static_cast<TNeueDatDlg &>(d).AutorInfoEdit;
        const QString shown = author->text();
        lengths << shown.size();
        // Shown whole; typing may shorten it, never lengthen it.
        author->setFocus();
        author->end(false);
        QTest::keyClicks(author, QStringLiteral("xy"));
        lengths << author->text().size();
        QTest::keyClick(author, Qt::Key_Backspace);
        QTest::keyClicks(author, QStringLiteral("xy"));
        lengths << author->text().size();
        TNeueDatDlg::SetFieldText(author, shown);  // as it was shown: its bytes stay
        return int(QDialog::Accepted);
    });
    QVERIFY(f.Trigger(w.Dateiinformationen1));
    QCOMPARE(lengths, (QList<qsizetype>{61, 61, 60}));
    QCOMPARE(w.QFile->Title.str(), std::string("Rahmen \xC9\xCD\xBB"));
    QCOMPARE(w.QFile->AutorInfo, longAuthor + "\xB0");
    QVERIFY(w.IsChanged());  // even without an edit
}

void TestDocuments::newFileDialogLooksAsDrawn()
{
    TScriptedSeam seam;
    TNeueDatDlg dialog(seam);
    QCOMPARE(dialog.size(), QSize(466, 184));
    QCOMPARE(dialog.font().pixelSize(), 13);
    for (QLineEdit *edit : {dialog.TitleEdit, dialog.AutorInfoEdit, dialog.CopyrightInfoEdit}) {
        QCOMPARE(edit->maxLength(), 36);
        QCOMPARE(edit->x(), 38);
        QCOMPARE(edit->size(), QSize(299, 25));
    }
    QCOMPARE(dialog.Button1->text(), QStringLiteral("&OK"));
    QVERIFY(dialog.Button1->isDefault());
    QCOMPARE(dialog.Button2->text(), QStringLiteral("&Abbrechen"));
    QCOMPARE(dialog.Button3->text(), QStringLiteral("&Hilfe"));
    QCOMPARE(dialog.Button1->geometry(), QRect(365, 38, 85, 26));
    // The statistics lie below the client area, out of sight.
    QVERIFY(dialog.GroupBox1->geometry().top() >= dialog.height());

    // Tab walks the fields, then the buttons.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.TitleEdit);
    QStringList order;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, (QStringList{"AutorInfoEdit", "CopyrightInfoEdit", "Button1", "Button2", "Button3"}));

    // The help button asks for its topic and the dialog stays.
    QTest::mouseClick(dialog.Button3, Qt::LeftButton);
    QCOMPARE(seam.HelpCommands, (QList<QPair<unsigned, QVariant>>{{HELP_CONTEXT, QStringLiteral("NeueMirolaDatei")}}));
    QVERIFY(dialog.isVisible());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

enum class TFigures { EveryLevelAndCode, OneRecord };
Q_DECLARE_METATYPE(TFigures)

void TestDocuments::fileInformationCountsTheQuestions_data()
{
    QTest::addColumn<TFigures>("document");
    QTest::addColumn<QStringList>("figures");
    // Eight records; the current one changes its level and right answer in the form
    // just before the command.
    QTest::newRow("every level and code")
        << TFigures::EveryLevelAndCode
        << QStringList{"Anzahl Fragen: 8",
                       "Schwierigkeit:   leicht 2 (25%), mittel 2 (25%), schwer 2 (25%), ultraschwer 1 (13%) ",
                       "Anzahl Schwarze Peter: 4 (50%)"};
    QTest::newRow("one record") << TFigures::OneRecord
                                << QStringList{"Anzahl Fragen: 1",
                                               "Schwierigkeit:   leicht 1 (100%), mittel 0 (0%), schwer 0 (0%), "
                                               "ultraschwer 0 (0%) ",
                                               "Anzahl Schwarze Peter: 1 (100%)"};
}

void TestDocuments::fileInformationCountsTheQuestions()
{
    QFETCH(TFigures, document);
    QFETCH(QStringList, figures);
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    if (document == TFigures::EveryLevelAndCode) {
        auto doc = std::make_unique<TMirolaFile>();
        // Levels in either case and one that is none; "X" is no Schwarzer Peter.
        const std::pair<char16_t, char16_t> levelsAndCodes[] = {{u'A', u'x'}, {u'a', u'x'}, {u'b', u'X'}, {u'C', u'a'},
                                                                {u'c', u'r'}, {u'c', u'f'}, {u'D', u'e'}, {u'E', u'x'}};
        int n = 0;
        for (const auto &[level, code] : levelsAndCodes)
            doc->Data.push_back(Record("Frage " + std::to_string(++n), code, level));
        doc->Index = 3;
        doc->DatRec = doc->Data.at(3);
        f.Install(std::move(doc));
        w.LevelItems[1]->setChecked(true);
        w.SchwarzerPeterRadioButton->setChecked(true);
    } else {
        f.Install(Document(1, 0, Record("Einzige", u'x', u'a', {})));
    }

    QStringList shown;
    f.Seam->DialogAnswers.push_back([&shown](QDialog &d) {
        auto &dialog = static_cast<TNeueDatDlg &>(d);
        shown << dialog.Label4->text() << dialog.Label5->text() << dialog.Label6->text();
        // The dialog has grown to show the box whole.
        if (dialog.GroupBox1->geometry().bottom() >= dialog.height() || dialog.height() <= 184)
            shown << QStringLiteral("out of sight");
        return int(QDialog::Rejected);
    });
    QVERIFY(f.Trigger(w.Dateiinformationen1));
    QCOMPARE(shown, figures);

    // New keeps the statistics out of sight.
    bool hidden = false;
    f.Seam->DlgAnswers.push_back(TModalResult::mrNo);  // in case the form marked the document
    f.Seam->DialogAnswers.push_back([&hidden](QDialog &d) {
        hidden = static_cast<TNeueDatDlg &>(d).GroupBox1->geometry().top() >= d.height();
        return int(QDialog::Rejected);
    });
    QVERIFY(f.Trigger(w.Neu1));
    QVERIFY(hidden);
}

enum class TDrop { QuestionFile, TextFile, TwoFiles, OnEditField, ChangedCancel, PlainText };
Q_DECLARE_METATYPE(TDrop)

void TestDocuments::droppedFileIsOpenedAsOpenDoes_data()
{
    QTest::addColumn<TDrop>("drop");
    QTest::addColumn<QString>("opened");  // the file open afterwards
    QTest::newRow("question file") << TDrop::QuestionFile << "eins.mfd";
    QTest::newRow(".txt file") << TDrop::TextFile << "alt.mfd";
    QTest::newRow("two files") << TDrop::TwoFiles << "zwei.mfd";
    QTest::newRow("on an edit field") << TDrop::OnEditField << "eins.mfd";
    QTest::newRow("changed, then Cancel") << TDrop::ChangedCancel << "alt.mfd";
    QTest::newRow("plain text") << TDrop::PlainText << "alt.mfd";
}

void TestDocuments::droppedFileIsOpenedAsOpenDoes()
{
    QFETCH(TDrop, drop);
    QFETCH(QString, opened);
    TFolder folder;
    const QString eins = folder.Questions("eins.mfd", 2, "Eins");
    const QString zwei = folder.Questions("zwei.mfd", 3, "Zwei");
    const QString notiz = folder.Bytes("notiz.txt", "Notiz\r\n");
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    w.OpenDoc(folder.Questions("alt.mfd", 4, "Alt"));
    QVERIFY(f.ShowActive());

    QMimeData data;
    QWidget *target = &w;
    switch (drop) {
    case TDrop::QuestionFile: data.setUrls({QUrl::fromLocalFile(eins)}); break;
    case TDrop::TextFile:
        data.setUrls({QUrl::fromLocalFile(notiz)});
        f.Seam->DlgAnswers.push_back(TModalResult::mrYes);
        break;
    case TDrop::TwoFiles: data.setUrls({QUrl::fromLocalFile(zwei), QUrl::fromLocalFile(eins)}); break;
    case TDrop::OnEditField:
        data.setUrls({QUrl::fromLocalFile(eins)});
        data.setText(eins);  // as file managers offer the name as text too
        target = w.Question1;
        break;
    case TDrop::ChangedCancel:
        data.setUrls({QUrl::fromLocalFile(eins)});
        QTest::keyClicks(w.Question2, QStringLiteral("neu"));
        f.Seam->DlgAnswers.push_back(TModalResult::mrCancel);
        break;
    case TDrop::PlainText: data.setText(eins); break;
    }
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QCOMPARE(enter.isAccepted(), drop != TDrop::PlainText);
    if (drop == TDrop::PlainText) {
        QVERIFY(f.Seam->Calls.isEmpty());
        return;
    }
    QDropEvent dropped(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    QVERIFY(dropped.isAccepted());
    QVERIFY(f.Seam->Calls.isEmpty());  // nothing asked while the file manager waits
    QTRY_COMPARE(QFileInfo(w.dokname).fileName(), opened);
    QCoreApplication::processEvents();

    QCOMPARE(QFileInfo(w.dokname).fileName(), opened);
    QCOMPARE(w.Question1->text(), opened == "alt.mfd" ? "Alt" : opened == "eins.mfd" ? "Eins" : "Zwei");
    QCOMPARE(f.Seam->DlgAnswers.size(), std::size_t(0));
    if (drop == TDrop::TextFile)
        QCOMPARE(f.Seam->Calls.constLast().Text, NotATextEditor);
    if (drop == TDrop::ChangedCancel)
        QVERIFY(w.Question2->text().endsWith(QStringLiteral("neu")));
}

void TestDocuments::commandLineNameThatIsNoTextOpensAndSaves()
{
    TFolder folder;
    // "fragen" with a Latin-1 "ä", which is no UTF-8: Qt's text for it cannot name
    // the file again.
    const std::string name = "fr\xE4gen.mfd";
    DistinctDocument(3)->SaveToFile(name, ftTXT);
    // Qt cannot name the file to remove it with the folder, so it goes by its bytes.
    const auto removeFile = qScopeGuard([&name] { std::filesystem::remove(name); });
    TWindowFixture f({QByteArray::fromStdString(name)});
    TKelmorFrm &w = *f.Frm;
    QVERIFY(f.Seam->Calls.isEmpty());
    QVERIFY(w.IsFileLoaded());
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelmor für Mirola - [fr\uFFFDgen.mfd]"));

    w.Question1->setText(QStringLiteral("geändert"));
    QVERIFY(f.Trigger(w.Speichern1));
    QVERIFY(f.Seam->Calls.isEmpty());
    // Written under its own name, not beside it (Qt does not list such names).
    const std::filesystem::path here = QFile::encodeName(folder.Dir.path()).toStdString();
    QCOMPARE(std::distance(std::filesystem::directory_iterator(here), std::filesystem::directory_iterator()), 1);
    TMirolaFile saved;
    saved.LoadFromFile(name);
    QCOMPARE(saved.Data.at(0).Question[0].str(), std::string("ge\x84ndert"));
}

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
