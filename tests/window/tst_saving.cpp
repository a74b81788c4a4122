// Documents going out: Save, Save As, Export, and the question before a changed
// document is closed, replaced or the window closed. What is checked is the file on
// disk, the changed mark, the name and the caption.
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

#include "editfield.h"
#include "errors.h"
#include "textedge.h"
#include "windowfixture.h"

namespace {

// What the core writes for `doc` in `type`, for comparing a window's file with.
QByteArray Expected(const TMirolaFile &doc, tMirolaFType type, const QTemporaryDir &dir)
{
    TMirolaFile copy = doc;
    const QString path = dir.filePath(QStringLiteral("erwartet"));
    copy.SaveToFile(path.toStdString(), type);
    const QByteArray bytes = FileBytes(path);
    ::QFile::remove(path);
    return bytes;
}

struct TSavingFixture : TWindowFixture {
    QTemporaryDir Dir;
    QString Before = QDir::currentPath();

    TSavingFixture() { QDir::setCurrent(Dir.path()); }
    ~TSavingFixture() { QDir::setCurrent(Before); }

    QString Path(const QString &name) const { return Dir.filePath(name); }

    // Opens a file of `count` distinct records written under `name`.
    void OpenFile(const QString &name, int count, tMirolaFType type = ftTXT)
    {
        DistinctDocument(count)->SaveToFile(Path(name).toStdString(), type);
        Frm->OpenDoc(name);
    }
};

// The session manager's side of a log-off, as the platform would answer.
struct TRecordedLogOff : TLogOffRequest {
    bool Interactive = true;
    bool Cancelled = false;
    bool AllowsInteraction() override { return Interactive; }
    void Cancel() override { Cancelled = true; }
};

const QString ChangedQuestion = QStringLiteral("Die Datei \"%1\" wurde geändert.\rÄnderungen speichern?");
const QString ChangedOnDisk =
    QStringLiteral("Die Datei wurde seit dem Öffnen von einem anderen Programm geändert. Trotzdem speichern?");

}  // namespace

class TestSaving : public QObject {
    Q_OBJECT
private slots:
    void saveWritesWhatWasTypedUnderTheRelativeName();
    void saveOfAnUntitledDocumentGoesToSaveAs();
    void saveAsAddsTheExtensionAndAsksBeforeReplacing();
    void dialogsStartBesideTheDocument_data();
    void dialogsStartBesideTheDocument();
    void recordFileIsSavedAsATextFileBesideIt();
    void savedFileOpensAgainByteForByte();
    void failedSaveKeepsTheMarkAndTheOldFile();
    void exportWritesTheChosenEdition_data();
    void exportWritesTheChosenEdition();
    void exportAsksBeforeReplacingAFileItNamed();
    void exportAsksAboutRecordsTheGameShowsWrongly_data();
    void exportAsksAboutRecordsTheGameShowsWrongly();
    void closingAsksAboutChanges_data();
    void closingAsksAboutChanges();
    void failedSaveOnClosingKeepsTheWindowOpen();
    void closedDocumentIsForgotten();
    void saveAsProposesANameThatIsNoTextAsTheFileItself();
    void fileChangedOnDiskIsWrittenOverOnlyWhenTheUserSaysSo_data();
    void fileChangedOnDiskIsWrittenOverOnlyWhenTheUserSaysSo();
};

void TestSaving::saveWritesWhatWasTypedUnderTheRelativeName()
{
    TSavingFixture f;
    QDir(f.Dir.path()).mkdir(QStringLiteral("sub"));
    f.OpenFile(QStringLiteral("sub/../fragen.mfd"), 3);
    TKelmorFrm &w = *f.Frm;
    QVERIFY(f.ShowActive());
    w.Question1->setFocus();
    w.Question1->end(false);
    w.Question1->insert(QStringLiteral(" Größe"));  // as typed: QTest types ASCII only
    QVERIFY(w.SaveButton->isEnabled());
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);

    QVERIFY(!w.IsChanged());
    QVERIFY(!w.SaveButton->isEnabled());
    QCOMPARE(w.dokname, QStringLiteral("sub/../fragen.mfd"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelmor für Mirola - [sub/../fragen.mfd]"));
    TMirolaFile saved;
    saved.LoadFromFile(f.Path(QStringLiteral("fragen.mfd")).toStdString());
    QCOMPARE(saved.Count(), 3);
    QCOMPARE(saved.Data.at(0).Question[0].str(), DistinctRecord(0).Question[0].str() + " Gr\x94\xE1"
                                                                                       "e");
    QCOMPARE(saved.Data.at(1).Question[0], DistinctRecord(1).Question[0]);
    QVERIFY(f.Seam->Calls.isEmpty());
}

void TestSaving::saveOfAnUntitledDocumentGoesToSaveAs()
{
    TSavingFixture f;
    TKelmorFrm &w = *f.Frm;
    f.Install(DistinctDocument(2));
    w.dokname = kUntitledName;
    w.SetIsChanged(true);
    f.Seam->FileAnswers.push_back({});
    QVERIFY(f.Trigger(w.Speichern1));
    QCOMPARE(f.Seam->Calls.constLast().Kind, QStringLiteral("SaveFile"));
    QVERIFY(w.IsChanged());
    QCOMPARE(w.dokname, kUntitledName);
    QCOMPARE(QDir(f.Dir.path()).entryList(QDir::Files), QStringList());
}

void TestSaving::saveAsAddsTheExtensionAndAsksBeforeReplacing()
{
    TSavingFixture f;
    TKelmorFrm &w = *f.Frm;
    f.Install(DistinctDocument(3, 1));
    w.dokname = kUntitledName;
    w.SetIsChanged(true);
    WriteFile(f.Path(QStringLiteral("quiz.mfd")), "alt");

    // "quiz" becomes "quiz.mfd", which exists: No keeps it and nothing changes.
    f.Seam->FileAnswers.push_back({true, f.Path(QStringLiteral("quiz")), 1});
    f.Seam->DlgAnswers.push_back(TModalResult::mrNo);
    QVERIFY(f.Trigger(w.Speichernunter1));
    const TFileDialogSetup &setup = f.Seam->FileDialogs.constLast();
    QCOMPARE(setup.Title, QStringLiteral("Fragedatei speichern..."));
    QCOMPARE(setup.Filter, QStringLiteral("Mirola Fragedatei (*.mfd)|*.mfd"));
    // The program asks, once, in its own words.
    QVERIFY(!setup.Options.testFlag(TOpenOption::ofOverwritePrompt));
    QCOMPARE(f.Seam->Calls.constLast().Type, TMsgDlgType::mtConfirmation);
    QVERIFY(f.Seam->Calls.constLast().Text.contains(f.Path(QStringLiteral("quiz.mfd"))));
    QCOMPARE(FileBytes(f.Path(QStringLiteral("quiz.mfd"))), QByteArray("alt"));
    QVERIFY(w.IsChanged());

    // Yes replaces it; the document now has the file's name.
    f.Seam->FileAnswers.push_back({true, f.Path(QStringLiteral("quiz")), 1});
    f.Seam->DlgAnswers.push_back(TModalResult::mrYes);
    QVERIFY(f.Trigger(w.Speichernunter1));
    QCOMPARE(FileBytes(f.Path(QStringLiteral("quiz.mfd"))), Expected(*w.QFile, ftTXT, f.Dir));
    QVERIFY(!QFile::exists(f.Path(QStringLiteral("quiz"))));
    QCOMPARE(w.dokname, f.Path(QStringLiteral("quiz.mfd")));
    QCOMPARE(w.windowTitle(), DocumentCaption(f.Path(QStringLiteral("quiz.mfd"))));
    QVERIFY(!w.IsChanged());

    // A question file's own extension is kept, in any case; any other gets ".mfd",
    // so that the file opens again as what it holds.
    const std::pair<const char *, const char *> names[] = {{"quiz.dat", "quiz.dat"},
                                                           {"QUIZ2.MFD", "QUIZ2.MFD"},
                                                           {"quiz.raf", "quiz.raf.mfd"},
                                                           {"quiz.txt", "quiz.txt.mfd"}};
    for (const auto &[chosen, saved] : names) {
        w.SetIsChanged(true);
        f.Seam->FileAnswers.push_back({true, f.Path(QString::fromLatin1(chosen)), 1});
        QVERIFY(f.Trigger(w.Speichernunter1));
        QVERIFY2(QFile::exists(f.Path(QString::fromLatin1(saved))), saved);
        QCOMPARE(w.dokname, f.Path(QString::fromLatin1(saved)));
        QVERIFY(!w.IsChanged());
    }
    QVERIFY(!QFile::exists(f.Path(QStringLiteral("quiz.raf"))));
    QVERIFY(!QFile::exists(f.Path(QStringLiteral("quiz.txt"))));
    // The dialog starts at the document's own file, which it asks about replacing.
    f.Seam->FileAnswers.push_back({true, f.Path(QStringLiteral("quiz.txt.mfd")), 1});
    f.Seam->DlgAnswers.push_back(TModalResult::mrYes);
    const int calls = f.Seam->Calls.size();
    QVERIFY(f.Trigger(w.Speichernunter1));
    QCOMPARE(f.Seam->FileDialogs.constLast().FileName, f.Path(QStringLiteral("quiz.txt.mfd")));
    QCOMPARE(f.Seam->Calls.size(), calls + 2);
}

void TestSaving::dialogsStartBesideTheDocument_data()
{
    QTest::addColumn<QString>("opened");  // relative to the working folder
    QTest::addColumn<QString>("saveAs");
    QTest::addColumn<QString>("exported");
    // clang-format off
    QTest::newRow("text file") << "sub/fragen.mfd" << "sub/fragen.mfd" << "sub/mirola-fragen.raf";
    QTest::newRow("name with the prefix") << "sub/Mirola-alt.dat" << "sub/Mirola-alt.dat" << "sub/Mirola-alt.raf";
    QTest::newRow("record file") << "sub/mirola-spiel.raf" << "sub/mirola-spiel.mfd" << "sub/mirola-spiel.raf";
    QTest::newRow("record file in capitals") << "sub/SPIEL.RAF" << "sub/SPIEL.mfd" << "sub/mirola-SPIEL.raf";
    // clang-format on
}

void TestSaving::dialogsStartBesideTheDocument()
{
    QFETCH(QString, opened);
    QFETCH(QString, saveAs);
    QFETCH(QString, exported);
    TSavingFixture f;
    QDir(f.Dir.path()).mkdir(QStringLiteral("sub"));
    const bool recordFile = opened.endsWith(QLatin1String(".raf"), Qt::CaseInsensitive);
    f.OpenFile(opened, 2, recordFile ? ftRAF : ftTXT);
    TKelmorFrm &w = *f.Frm;
    const QByteArray original = FileBytes(f.Path(opened));

    f.Seam->FileAnswers.push_back({});
    QVERIFY(f.Trigger(w.Exportieren1));
    QCOMPARE(f.Seam->FileDialogs.constLast().FileName, f.Path(exported));

    // Save goes to Save As for a record file, which it would otherwise overwrite
    // with text.
    w.Question1->setText(QStringLiteral("neu"));
    f.Seam->FileAnswers.push_back({});
    QVERIFY(f.Trigger(recordFile ? w.Speichern1 : w.Speichernunter1));
    QCOMPARE(f.Seam->FileDialogs.size(), 2);
    QCOMPARE(f.Seam->FileDialogs.constLast().FileName, f.Path(saveAs));
    QCOMPARE(FileBytes(f.Path(opened)), original);
}

void TestSaving::recordFileIsSavedAsATextFileBesideIt()
{
    TSavingFixture f;
    f.OpenFile(QStringLiteral("mirola-spiel.raf"), 2, ftRAF);
    TKelmorFrm &w = *f.Frm;
    const QByteArray raf = FileBytes(f.Path(QStringLiteral("mirola-spiel.raf")));
    w.CommentEdit->setText(QStringLiteral("neu"));

    f.Seam->FileAnswers.push_back({true, f.Path(QStringLiteral("mirola-spiel.mfd")), 1});
    QVERIFY(f.Trigger(w.Speichern1));
    QCOMPARE(f.Seam->FileDialogs.constLast().FileName, f.Path(QStringLiteral("mirola-spiel.mfd")));
    QCOMPARE(FileBytes(f.Path(QStringLiteral("mirola-spiel.raf"))), raf);
    TMirolaFile text;
    text.LoadFromFile(f.Path(QStringLiteral("mirola-spiel.mfd")).toStdString());
    QCOMPARE(text.Data.at(0).Comment.str(), std::string("neu"));
    QCOMPARE(w.dokname, f.Path(QStringLiteral("mirola-spiel.mfd")));

    // From now on Save writes the text file without asking.
    w.CommentEdit->setText(QStringLiteral("neuer"));
    QVERIFY(f.Trigger(w.Speichern1));
    QCOMPARE(f.Seam->FileDialogs.size(), 1);
    text = TMirolaFile();
    text.LoadFromFile(f.Path(QStringLiteral("mirola-spiel.mfd")).toStdString());
    QCOMPARE(text.Data.at(0).Comment.str(), std::string("neuer"));
}

void TestSaving::savedFileOpensAgainByteForByte()
{
    // Box drawing and shades, which the window's code page lacks, in every text.
    TMirolaFile original = *DistinctDocument(5);
    for (TMirolaDatensatz &rec : original.Data) {
        rec.Question[2] = "\xC9\xCD\xCD\xBB \xB0\xB1\xB2\xDB";
        rec.Comment = "\xC4\xC4 \xB3";
        rec.Answers[1] = "\xDB\xDC\xDD\xDE\xDF";
    }
    original.Title = "\xC9\xCD Titel \xCD\xBB";
    original.AutorInfo = "Autor \xB0";
    original.CopyrightInfo = "\xB8 Kelmor";
    original.DatRec = original.Data.at(0);
    TSavingFixture f;
    original.SaveToFile(f.Path(QStringLiteral("rahmen.mfd")).toStdString(), ftTXT);
    const QByteArray bytes = FileBytes(f.Path(QStringLiteral("rahmen.mfd")));

    TKelmorFrm &w = *f.Frm;
    w.OpenDoc(QStringLiteral("rahmen.mfd"));
    for (int i = 0; i < 4; ++i)
        QVERIFY(f.Trigger(w.Nchster1));
    f.Seam->DialogAnswers.push_back([](QDialog &) { return int(QDialog::Accepted); });
    QVERIFY(f.Trigger(w.Dateiinformationen1));
    QVERIFY(f.Trigger(w.Erster1));
    f.Seam->FileAnswers.push_back({true, f.Path(QStringLiteral("kopie.mfd")), 1});
    QVERIFY(f.Trigger(w.Speichernunter1));
    QCOMPARE(FileBytes(f.Path(QStringLiteral("kopie.mfd"))), bytes);
}

void TestSaving::failedSaveKeepsTheMarkAndTheOldFile()
{
    TSavingFixture f;
    f.OpenFile(QStringLiteral("fragen.mfd"), 2);
    TKelmorFrm &w = *f.Frm;
    const QByteArray before = FileBytes(f.Path(QStringLiteral("fragen.mfd")));
    w.Question1->setText(QStringLiteral("geändert"));
    // The folder is made read-only... which root ignores, so the name is made to
    // lead through a file instead.
    w.dokname = QStringLiteral("fragen.mfd/fragen.mfd");
    QVERIFY_THROWS_EXCEPTION(EMirolaError, w.Speichern1Click(w.Speichern1));
    QVERIFY(w.IsChanged());
    QVERIFY(w.SaveButton->isEnabled());
    QCOMPARE(FileBytes(f.Path(QStringLiteral("fragen.mfd"))), before);
    QCOMPARE(QDir(f.Dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"fragen.mfd"});
}

void TestSaving::exportWritesTheChosenEdition_data()
{
    QTest::addColumn<QString>("name");  // as the dialog gives it, below the folder
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<QString>("written");  // the file written, empty for none
    QTest::addColumn<bool>("refused");
    QTest::newRow("DOS edition") << "mirola-quiz.raf" << 1 << "mirola-quiz.raf" << false;
    QTest::newRow("Windows edition") << "MIROLA-quiz.raf" << 2 << "MIROLA-quiz.raf" << false;
    QTest::newRow("prefix in mixed case, no extension") << "Mirola-quiz" << 1 << "Mirola-quiz.raf" << false;
    QTest::newRow("prefix in a folder's name") << "mirola-spiele/quiz.raf" << 2 << "mirola-spiele/quiz.raf" << false;
    QTest::newRow("prefix inside the name") << "alte-mirola-fragen.raf" << 1 << "alte-mirola-fragen.raf" << false;
    QTest::newRow("no prefix") << "quiz.raf" << 1 << "" << true;
    QTest::newRow("prefix without its hyphen") << "mirola_quiz.raf" << 2 << "" << true;
    QTest::newRow("no edition chosen") << "mirola-quiz.raf" << 0 << "" << false;
}

void TestSaving::exportWritesTheChosenEdition()
{
    QFETCH(QString, name);
    QFETCH(int, filterIndex);
    QFETCH(QString, written);
    QFETCH(bool, refused);
    TSavingFixture f;
    QDir(f.Dir.path()).mkdir(QStringLiteral("mirola-spiele"));
    f.OpenFile(QStringLiteral("fragen.mfd"), 4);
    TKelmorFrm &w = *f.Frm;
    w.CommentEdit->setText(QStringLiteral("für den Export"));
    // The first record's letter has one answer to choose from; the second is added in
    // the form, which the check before writing sees.
    w.AnswerEdit->setText(QStringLiteral("zweite"));
    w.AddAnswerButton->click();

    f.Seam->FileAnswers.push_back({true, f.Path(name), filterIndex});
    if (refused)
        f.Seam->DlgAnswers.push_back(TModalResult::mrYes);
    QVERIFY(f.Trigger(w.Exportieren1));
    const TFileDialogSetup &setup = f.Seam->FileDialogs.constLast();
    QCOMPARE(setup.Title, QStringLiteral("Fragedatei exportieren..."));
    QVERIFY(!setup.Options.testFlag(TOpenOption::ofOverwritePrompt));

    if (refused) {
        QCOMPARE(f.Seam->Calls.constLast().Text,
                 QStringLiteral("Der Export wurde abgebrochen:\rMirola-RAF-Dateien müssen die Vorsilbe "
                                "\"mirola-\"\rim Dateinamen haben!"));
        QCOMPARE(f.Seam->Calls.constLast().Type, TMsgDlgType::mtError);
        QCOMPARE(f.Seam->Calls.constLast().Buttons, TMsgDlgButtons(TMsgDlgBtn::mbYes));
    }
    QStringList files = QDir(f.Dir.path()).entryList(QDir::Files);
    files += QDir(f.Path(QStringLiteral("mirola-spiele"))).entryList(QDir::Files);
    QCOMPARE(files.size(), written.isEmpty() ? 1 : 2);
    if (!written.isEmpty()) {
        QCOMPARE(FileBytes(f.Path(written)), Expected(*w.QFile, filterIndex == 1 ? ftRAF : ftWRAF, f.Dir));
        TMirolaFile exported;
        exported.LoadFromFile(f.Path(written).toStdString());
        // Either edition reads back as the document.
        QCOMPARE(exported.Data.at(0).Comment.str(), std::string("f\x81r den Export"));
    }
    // Export leaves the document the document of its own file, changed as it was.
    QCOMPARE(w.dokname, QStringLiteral("fragen.mfd"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelmor für Mirola - [fragen.mfd]"));
    QVERIFY(w.IsChanged());
}

void TestSaving::exportAsksAboutRecordsTheGameShowsWrongly_data()
{
    QTest::addColumn<bool>("wrongInGame");
    QTest::addColumn<TModalResult>("answer");
    QTest::addColumn<bool>("written");
    QTest::newRow("shown wrongly, exported anyway") << true << TModalResult::mrYes << true;
    QTest::newRow("shown wrongly, stopped") << true << TModalResult::mrNo << false;
    // A question twice and a record left as added are the author's business only.
    QTest::newRow("untidy only") << false << TModalResult::mrNone << true;
}

void TestSaving::exportAsksAboutRecordsTheGameShowsWrongly()
{
    QFETCH(bool, wrongInGame);
    QFETCH(TModalResult, answer);
    QFETCH(bool, written);
    TSavingFixture f;
    auto doc = DistinctDocument(6);
    doc->Data[0].Answers[1] = "zweite";
    doc->Data[3].Question[0] = doc->Data[1].Question[0];
    doc->Data[3].Question[1] = doc->Data[1].Question[1];
    doc->Data[3].Question[2] = doc->Data[1].Question[2];
    doc->Data[5] = TMirolaDatensatz();
    doc->Data[5].theletter = u'x';
    doc->Data[5].level = u'A';
    if (wrongInGame) {
        doc->Data[2].level = u'Q';
        doc->Data[4].theletter = u'z';
        doc->Data[4].level = u'\x8E';
    }
    doc->DatRec = doc->Data[0];
    doc->SaveToFile(f.Path(QStringLiteral("fragen.mfd")).toStdString(), ftTXT);
    TKelmorFrm &w = *f.Frm;
    w.OpenDoc(QStringLiteral("fragen.mfd"));
    f.Seam->FileAnswers.push_back({true, f.Path(QStringLiteral("mirola-fragen.raf")), 1});
    if (wrongInGame)
        f.Seam->DlgAnswers.push_back(answer);
    const qsizetype callsBefore = f.Seam->Calls.size();
    QVERIFY(f.Trigger(w.Exportieren1));
    if (wrongInGame) {
        const TSeamCall &question = f.Seam->Calls.constLast();
        QCOMPARE(question.Text, QStringLiteral("2 Datensätze würden im Spiel falsch angezeigt, zuerst\rDatensatz 3: "
                                               "Unbekannter Level: 'Q'.\r\"Fragen prüfen\" (F7) listet alle Probleme.\r"
                                               "Trotzdem exportieren?"));
        QCOMPARE(question.Type, TMsgDlgType::mtWarning);
        QCOMPARE(question.Buttons, TMsgDlgBtn::mbYes | TMsgDlgBtn::mbNo);
    } else {
        QCOMPARE(f.Seam->Calls.size(), callsBefore + 1);  // the file dialog only
    }
    QCOMPARE(QFile::exists(f.Path(QStringLiteral("mirola-fragen.raf"))), written);
}

void TestSaving::exportAsksBeforeReplacingAFileItNamed()
{
    TSavingFixture f;
    f.OpenFile(QStringLiteral("fragen.mfd"), 2);
    TKelmorFrm &w = *f.Frm;
    // Records the game shows rightly: the check before writing asks nothing.
    w.AnswerEdit->setText(QStringLiteral("zweite"));
    w.AddAnswerButton->click();
    WriteFile(f.Path(QStringLiteral("mirola-alt.raf")), "alt");
    WriteFile(f.Path(QStringLiteral("alt.raf")), "alt");
    // A name the game would not take is refused before anything is asked about it,
    // whether the dialog showed it or not.
    for (const char *refused : {"alt", "alt.raf"}) {
        f.Seam->FileAnswers.push_back({true, f.Path(QString::fromLatin1(refused)), 1});
        f.Seam->DlgAnswers.push_back(TModalResult::mrYes);
        const int calls = f.Seam->Calls.size();
        QVERIFY(f.Trigger(w.Exportieren1));
        QCOMPARE(f.Seam->Calls.size(), calls + 2);
        QCOMPARE(f.Seam->Calls.constLast().Type, TMsgDlgType::mtError);
    }

    // One question, in one wording, for a name typed without its extension and for
    // one picked in the dialog.
    for (const char *name : {"mirola-alt", "mirola-alt.raf"}) {
        f.Seam->FileAnswers.push_back({true, f.Path(QString::fromLatin1(name)), 2});
        f.Seam->DlgAnswers.push_back(TModalResult::mrNo);
        QVERIFY(f.Trigger(w.Exportieren1));
        QCOMPARE(f.Seam->Calls.constLast().Text,
                 QStringLiteral("Die Datei \"%1\" ist bereits vorhanden.\rMöchten Sie sie ersetzen?")
                     .arg(f.Path(QStringLiteral("mirola-alt.raf"))));
        QCOMPARE(FileBytes(f.Path(QStringLiteral("mirola-alt.raf"))), QByteArray("alt"));
    }
    QCOMPARE(FileBytes(f.Path(QStringLiteral("alt.raf"))), QByteArray("alt"));

    // The edition chosen last is offered again.
    f.Seam->FileAnswers.push_back({true, f.Path(QStringLiteral("mirola-alt")), 2});
    f.Seam->DlgAnswers.push_back(TModalResult::mrYes);
    QVERIFY(f.Trigger(w.Exportieren1));
    QCOMPARE(f.Seam->FileDialogs.at(f.Seam->FileDialogs.size() - 4).FilterIndex, 1);
    QCOMPARE(f.Seam->FileDialogs.constLast().FilterIndex, 2);
    QCOMPARE(FileBytes(f.Path(QStringLiteral("mirola-alt.raf"))), Expected(*w.QFile, ftWRAF, f.Dir));
}

enum class TCloseBy { CloseCommand, ExitKey, TitleBar, LogOff };
enum class TAnswer { Cancel, No, Yes, YesUntitledCancelled, YesUntitledSaved };
Q_DECLARE_METATYPE(TCloseBy)
Q_DECLARE_METATYPE(TAnswer)

void TestSaving::closingAsksAboutChanges_data()
{
    QTest::addColumn<TCloseBy>("by");
    QTest::addColumn<TAnswer>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    for (const auto &[by, label] : {std::pair{TCloseBy::CloseCommand, "close"},
                                    {TCloseBy::ExitKey, "Alt+X"},
                                    {TCloseBy::TitleBar, "title bar"},
                                    {TCloseBy::LogOff, "log-off"}}) {
        QTest::addRow("%s, Cancel", label) << by << TAnswer::Cancel << false << false;
        QTest::addRow("%s, No", label) << by << TAnswer::No << true << false;
        QTest::addRow("%s, Yes", label) << by << TAnswer::Yes << true << true;
        QTest::addRow("%s, Yes, Save As cancelled", label) << by << TAnswer::YesUntitledCancelled << false << false;
        QTest::addRow("%s, Yes, Save As", label) << by << TAnswer::YesUntitledSaved << true << true;
    }
}

void TestSaving::closingAsksAboutChanges()
{
    QFETCH(TCloseBy, by);
    QFETCH(TAnswer, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    TSavingFixture f;
    f.OpenFile(QStringLiteral("fragen.mfd"), 3);
    TKelmorFrm &w = *f.Frm;
    QVERIFY(f.ShowActive());
    const bool untitled = answer == TAnswer::YesUntitledCancelled || answer == TAnswer::YesUntitledSaved;
    if (untitled)
        w.dokname = kUntitledName;
    w.Question2->setText(QStringLiteral("zuletzt getippt"));  // no record command since
    const QString target = f.Path(untitled ? QStringLiteral("neu.mfd") : QStringLiteral("fragen.mfd"));

    f.Seam->DlgAnswers.push_back(answer == TAnswer::Cancel ? TModalResult::mrCancel
                                 : answer == TAnswer::No   ? TModalResult::mrNo
                                                           : TModalResult::mrYes);
    if (answer == TAnswer::YesUntitledCancelled)
        f.Seam->FileAnswers.push_back({});
    if (answer == TAnswer::YesUntitledSaved)
        f.Seam->FileAnswers.push_back({true, target, 1});

    bool windowClosed = false;
    switch (by) {
    case TCloseBy::CloseCommand: QVERIFY(f.Trigger(w.Schlieen1)); break;
    case TCloseBy::ExitKey:
        QTest::keyClick(&w, Qt::Key_X, Qt::AltModifier);
        windowClosed = !w.isVisible();
        break;
    case TCloseBy::TitleBar: windowClosed = w.close(); break;
    case TCloseBy::LogOff: {
        TRecordedLogOff request;
        w.SessionEnding(request);
        windowClosed = !request.Cancelled;
        break;
    }
    }
    QCOMPARE(f.Seam->Calls.at(0).Text, ChangedQuestion.arg(untitled ? kUntitledName : QStringLiteral("fragen.mfd")));
    QCOMPARE(f.Seam->Calls.at(0).Type, TMsgDlgType::mtConfirmation);
    if (by == TCloseBy::CloseCommand)
        QCOMPARE(!w.IsFileLoaded(), closed);
    else
        QCOMPARE(windowClosed, closed);

    TMirolaFile onDisk;
    if (QFile::exists(target))
        onDisk.LoadFromFile(target.toStdString());
    QCOMPARE(onDisk.Count() > 0 && onDisk.Data.at(0).Question[1] == std::string_view("zuletzt getippt"), saved);
    if (!closed) {
        QVERIFY(w.IsFileLoaded());
        QVERIFY(w.IsChanged());
        QCOMPARE(w.Question2->text(), QStringLiteral("zuletzt getippt"));
    }
}

void TestSaving::failedSaveOnClosingKeepsTheWindowOpen()
{
    TSavingFixture f;
    f.OpenFile(QStringLiteral("fragen.mfd"), 2);
    TKelmorFrm &w = *f.Frm;
    QVERIFY(f.ShowActive());
    w.Question1->setText(QStringLiteral("nicht verlieren"));
    w.dokname = QStringLiteral("fragen.mfd/x.mfd");
    f.Seam->DlgAnswers = {TModalResult::mrYes, TModalResult::mrYes};
    // The request to close, as the platform sends it; the error goes on to the
    // program's error report, and the request must come back refused.
    QCloseEvent request;
    QVERIFY_THROWS_EXCEPTION(EMirolaError, QCoreApplication::sendEvent(&w, &request));
    QVERIFY(!request.isAccepted());
    QVERIFY(w.isVisible());
    QVERIFY_THROWS_EXCEPTION(EMirolaError, w.Schlieen1Click(w.Schlieen1));
    QVERIFY(w.IsFileLoaded());
    QVERIFY(w.IsChanged());
    QCOMPARE(w.Question1->text(), QStringLiteral("nicht verlieren"));
}

void TestSaving::closedDocumentIsForgotten()
{
    TSavingFixture f;
    f.OpenFile(QStringLiteral("fragen.mfd"), 2);
    TKelmorFrm &w = *f.Frm;
    QVERIFY(f.ShowActive());
    // Unchanged: nothing is asked, and the caption still names the file.
    QVERIFY(f.Trigger(w.Schlieen1));
    QVERIFY(f.Seam->Calls.isEmpty());
    QVERIFY(!w.IsFileLoaded());
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelmor für Mirola - [fragen.mfd]"));

    f.OpenFile(QStringLiteral("fragen.mfd"), 2);
    w.Question1->setText(QStringLiteral("verworfen"));
    f.Seam->DlgAnswers.push_back(TModalResult::mrNo);
    QVERIFY(f.Trigger(w.Schlieen1));
    // Nothing is left to save, so ending the program asks nothing.
    QVERIFY(!w.IsChanged());
    QVERIFY(w.close());
    QCOMPARE(f.Seam->Calls.size(), 1);
}

void TestSaving::saveAsProposesANameThatIsNoTextAsTheFileItself()
{
    TSavingFixture f;
    TKelmorFrm &w = *f.Frm;
    // "café" with a Latin-1 "é", which is no UTF-8: as text the name holds a
    // replacement character, and that text names another file.
    const std::string name = "caf\xE9.mfd";
    DistinctDocument(3)->SaveToFile(name, ftTXT);
    // Qt cannot name the file to remove it with the folder, so it goes by its bytes.
    const auto removeFile = qScopeGuard([&name] { std::filesystem::remove(name); });
    w.OpenDocFile(name);
    w.Question1->setText(QStringLiteral("geändert"));

    // Enter in the dialog: the name proposed comes back as it was shown.
    const QString shown = f.Path(QStringLiteral("caf\uFFFD.mfd"));
    f.Seam->FileAnswers.push_back({true, shown, 1});
    f.Seam->DlgAnswers.push_back(TModalResult::mrYes);
    QVERIFY(f.Trigger(w.Speichernunter1));
    QCOMPARE(f.Seam->FileDialogs.constLast().FileName, shown);
    QCOMPARE(f.Seam->Calls.constLast().Text,
             QStringLiteral("Die Datei \"%1\" ist bereits vorhanden.\rMöchten Sie sie ersetzen?").arg(shown));
    QVERIFY(!w.IsChanged());
    // Written in place, not beside it.
    const std::filesystem::path here = QFile::encodeName(f.Dir.path()).toStdString();
    QCOMPARE(std::distance(std::filesystem::directory_iterator(here), std::filesystem::directory_iterator()), 1);
    TMirolaFile saved;
    saved.LoadFromFile(name);
    QCOMPARE(saved.Data.at(0).Question[0].str(), std::string("ge\x84ndert"));

    // Save goes on into the same file, which it wrote itself: nothing to ask.
    w.Question2->setText(QStringLiteral("noch einmal"));
    const qsizetype calls = f.Seam->Calls.size();
    QVERIFY(f.Trigger(w.Speichern1));
    QCOMPARE(f.Seam->Calls.size(), calls);
    saved = TMirolaFile();
    saved.LoadFromFile(name);
    QCOMPARE(saved.Data.at(0).Question[1].str(), std::string("noch einmal"));
}

// What another program does to the file between the editor's save and its next one.
enum class TOnDisk { Untouched, Rewritten, SameSizeAndTime, Deleted };
enum class TSaveBy { Save, SaveAs, Close, Exit };
Q_DECLARE_METATYPE(TOnDisk)
Q_DECLARE_METATYPE(TSaveBy)

void TestSaving::fileChangedOnDiskIsWrittenOverOnlyWhenTheUserSaysSo_data()
{
    QTest::addColumn<TOnDisk>("onDisk");
    QTest::addColumn<TSaveBy>("by");
    QTest::addColumn<TModalResult>("answer");  // mrNone: nothing is asked
    QTest::addColumn<bool>("written");
    QTest::newRow("untouched") << TOnDisk::Untouched << TSaveBy::Save << TModalResult::mrNone << true;
    QTest::newRow("rewritten, Yes") << TOnDisk::Rewritten << TSaveBy::Save << TModalResult::mrYes << true;
    QTest::newRow("rewritten, No") << TOnDisk::Rewritten << TSaveBy::Save << TModalResult::mrNo << false;
    // Only the bytes tell this one.
    QTest::newRow("same size and time, No") << TOnDisk::SameSizeAndTime << TSaveBy::Save << TModalResult::mrNo << false;
    QTest::newRow("same size and time, Yes")
        << TOnDisk::SameSizeAndTime << TSaveBy::Save << TModalResult::mrYes << true;
    QTest::newRow("Save As onto it, No") << TOnDisk::Rewritten << TSaveBy::SaveAs << TModalResult::mrNo << false;
    QTest::newRow("closing, No") << TOnDisk::Rewritten << TSaveBy::Close << TModalResult::mrNo << false;
    QTest::newRow("exiting, No") << TOnDisk::Rewritten << TSaveBy::Exit << TModalResult::mrNo << false;
    QTest::newRow("exiting, Yes") << TOnDisk::Rewritten << TSaveBy::Exit << TModalResult::mrYes << true;
    QTest::newRow("deleted") << TOnDisk::Deleted << TSaveBy::Save << TModalResult::mrNone << true;
}

void TestSaving::fileChangedOnDiskIsWrittenOverOnlyWhenTheUserSaysSo()
{
    QFETCH(TOnDisk, onDisk);
    QFETCH(TSaveBy, by);
    QFETCH(TModalResult, answer);
    QFETCH(bool, written);
    TSavingFixture f;
    f.OpenFile(QStringLiteral("fragen.mfd"), 3);
    TKelmorFrm &w = *f.Frm;
    const QString path = f.Path(QStringLiteral("fragen.mfd"));
    // A save first: what the editor wrote itself is no change by another program.
    w.Question1->setText(QStringLiteral("erste Sitzung"));
    QVERIFY(f.Trigger(w.Speichern1));
    QVERIFY(f.Seam->Calls.isEmpty());

    QByteArray theirs = FileBytes(path);
    switch (onDisk) {
    case TOnDisk::Untouched: break;
    case TOnDisk::Rewritten:
        theirs = "Fremd\r\n:0001\r\n";
        WriteFile(path, theirs);
        break;
    case TOnDisk::SameSizeAndTime: {
        // One letter of a question changed, and the time put back to the nanosecond.
        struct stat before {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
        const qsizetype at = theirs.indexOf("Zeile 2 von 2");
        QVERIFY(at > 0);
        theirs[at] = 'z';
        WriteFile(path, theirs);
        const timespec times[2] = {before.st_atim, before.st_mtim};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
        break;
    }
    case TOnDisk::Deleted: QVERIFY(QFile::remove(path)); break;
    }

    w.Question1->setText(QStringLiteral("zweite Sitzung"));
    if (by == TSaveBy::Close || by == TSaveBy::Exit)
        f.Seam->DlgAnswers.push_back(TModalResult::mrYes);  // save the changes
    if (by == TSaveBy::SaveAs) {
        f.Seam->FileAnswers.push_back({true, path, 1});
        f.Seam->DlgAnswers.push_back(TModalResult::mrYes);  // replace it
    }
    if (answer != TModalResult::mrNone)
        f.Seam->DlgAnswers.push_back(answer);
    bool closed = false;
    switch (by) {
    case TSaveBy::Save: QVERIFY(f.Trigger(w.Speichern1)); break;
    case TSaveBy::SaveAs: QVERIFY(f.Trigger(w.Speichernunter1)); break;
    case TSaveBy::Close:
        QVERIFY(f.Trigger(w.Schlieen1));
        closed = !w.IsFileLoaded();
        break;
    case TSaveBy::Exit: closed = w.close(); break;
    }
    QCOMPARE(f.Seam->DlgAnswers.size(), std::size_t(0));
    if (answer != TModalResult::mrNone) {
        QCOMPARE(f.Seam->Calls.constLast().Text, ChangedOnDisk);
        QCOMPARE(f.Seam->Calls.constLast().Type, TMsgDlgType::mtConfirmation);
        QCOMPARE(f.Seam->Calls.constLast().Buttons, TMsgDlgBtn::mbYes | TMsgDlgBtn::mbNo);
    } else {
        QVERIFY(f.Seam->Calls.isEmpty());
    }
    if (written) {
        TMirolaFile saved;
        saved.LoadFromFile(path.toStdString());
        QCOMPARE(saved.Data.at(0).Question[0].str(), std::string("zweite Sitzung"));
        QCOMPARE(closed, by == TSaveBy::Close || by == TSaveBy::Exit);
        return;
    }
    // No: their file stays, and so does the document with its change; a close is
    // called off.
    QCOMPARE(FileBytes(path), theirs);
    QVERIFY(!closed);
    QVERIFY(w.IsFileLoaded());
    QVERIFY(w.IsChanged());
    QCOMPARE(w.Question1->text(), QStringLiteral("zweite Sitzung"));
}

QTEST_MAIN(TestSaving)
#include "tst_saving.moc"
