// Undo and redo: every change of the document is a step that comes back byte for
// byte, the changed mark follows the saved state through the history, and a field's
// own typing is undone before the document's steps.
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include "bevelpanel.h"
#include "editfield.h"
#include "neuedatdlg.h"
#include "textedge.h"
#include "windowfixture.h"

namespace {

enum class TStep {
    QuestionLine,
    Comment,
    Level,
    RightAnswer,
    AnswerAdded,
    AnswerRemoved,
    AddRecord,
    DeleteRecord,
    HeaderTexts
};

// The document's bytes as the text writer puts them, the form's unstored edits left out.
QByteArray Bytes(TKelmorFrm &w)
{
    TMirolaFile copy = *w.QFile;
    const std::string text = copy.SaveToString(ftTXT);
    return QByteArray(text.data(), qsizetype(text.size()));
}

}  // namespace

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void everyStepIsUndoneAndRedoneByteForByte_data();
    void everyStepIsUndoneAndRedoneByteForByte();
    void changedMarkFollowsTheSavedState();
    void fieldTypingIsUndoneBeforeTheDocumentsSteps();
    void newHistoryForEveryDocument();
};

void TestHistory::everyStepIsUndoneAndRedoneByteForByte_data()
{
    QTest::addColumn<TStep>("step");
    // The records shown after undo and after redo: the one the step changed, the
    // place a record was added from, the last one after a delete as the command
    // itself goes there, and the one on screen for the header texts.
    QTest::addColumn<int>("undoShows");
    QTest::addColumn<int>("redoShows");
    QTest::newRow("question line") << TStep::QuestionLine << 1 << 1;
    QTest::newRow("comment") << TStep::Comment << 1 << 1;
    QTest::newRow("level") << TStep::Level << 1 << 1;
    QTest::newRow("right answer") << TStep::RightAnswer << 1 << 1;
    QTest::newRow("answer added") << TStep::AnswerAdded << 1 << 1;
    QTest::newRow("answer removed") << TStep::AnswerRemoved << 1 << 1;
    QTest::newRow("record added") << TStep::AddRecord << 1 << 4;
    QTest::newRow("record deleted") << TStep::DeleteRecord << 1 << 2;
    QTest::newRow("header texts") << TStep::HeaderTexts << 0 << 0;
}

void TestHistory::everyStepIsUndoneAndRedoneByteForByte()
{
    QFETCH(TStep, step);
    QFETCH(int, undoShows);
    QFETCH(int, redoShows);
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    f.Install(DistinctDocument(4, 1));
    const QByteArray before = Bytes(w);

    switch (step) {
    case TStep::QuestionLine: w.Question2->setText(QStringLiteral("Zeile mit Ümlaut")); break;
    case TStep::Comment: w.CommentEdit->setText(QString()); break;
    case TStep::Level: w.LevelItems[3]->click(); break;
    case TStep::RightAnswer: w.AllesFalschRadioButton->click(); break;
    case TStep::AnswerAdded:
        w.AnswerEdit->setText(QStringLiteral("Größe"));
        w.AddAnswerButton->click();
        break;
    case TStep::AnswerRemoved:
        w.Answers->setCurrentRow(0);
        w.DeleteAnswerButton->setEnabled(true);
        w.DeleteAnswerButton->click();
        break;
    case TStep::AddRecord: QVERIFY(f.Trigger(w.Hinzufgen1)); break;
    case TStep::DeleteRecord: QVERIFY(f.Trigger(w.Entfernen1)); break;
    case TStep::HeaderTexts:
        f.Seam->DialogAnswers.push_back([](QDialog &dialog) {
            TNeueDatDlg::SetFieldText(static_cast<TNeueDatDlg &>(dialog).AutorInfoEdit, QStringLiteral("Jürgen"));
            return int(QDialog::Accepted);
        });
        QVERIFY(f.Trigger(w.Dateiinformationen1));
        break;
    }
    // Edits of the form become a step when they are stored; going elsewhere stores them.
    QVERIFY(f.Trigger(w.Erster1));
    const QByteArray after = Bytes(w);
    QVERIFY(after != before);
    QVERIFY(w.IsChanged());

    QVERIFY(f.Trigger(w.Rckgngig1));
    QCOMPARE(Bytes(w), before);
    QCOMPARE(w.QFile->Index, undoShows);
    QCOMPARE(w.Question1->text().toUtf8(), QByteArray(OemToQString(w.QFile->DatRec.Question[0].view()).toUtf8()));
    QVERIFY(!w.IsChanged());
    QVERIFY(!TKelmorFrm::ItemEnabled(w.Rckgngig1));

    QVERIFY(f.Trigger(w.Wiederherstellen1));
    QCOMPARE(Bytes(w), after);
    QCOMPARE(w.QFile->Index, redoShows);
    QVERIFY(w.IsChanged());
    QVERIFY(!TKelmorFrm::ItemEnabled(w.Wiederherstellen1));
    QCOMPARE(w.NumberOfPanel->text(), QStringLiteral("Datensätze: %1").arg(w.QFile->Count()));
}

void TestHistory::changedMarkFollowsTheSavedState()
{
    QTemporaryDir dir;
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    f.Install(DistinctDocument(3, 0));
    w.dokname = dir.filePath(QStringLiteral("quiz.mfd"));
    w.LevelItems[2]->click();
    QVERIFY(f.Trigger(w.Nchster1));
    QVERIFY(f.Trigger(w.Speichern1));
    QVERIFY(!w.IsChanged());
    w.Question1->setText(QStringLiteral("Zweite Änderung"));
    QVERIFY(w.IsChanged());

    // The typing becomes a step and is undone: back at the saved state.
    QVERIFY(f.Trigger(w.Rckgngig1));
    QVERIFY(!w.IsChanged());
    QVERIFY(!w.SaveButton->isEnabled());
    // One step further back is away from it again.
    QVERIFY(f.Trigger(w.Rckgngig1));
    QVERIFY(w.IsChanged());
    QCOMPARE(w.QFile->Index, 0);
    QVERIFY(f.Trigger(w.Wiederherstellen1));
    QVERIFY(!w.IsChanged());
    QVERIFY(f.Trigger(w.Wiederherstellen1));
    QVERIFY(w.IsChanged());
    QCOMPARE(w.Question1->text(), QStringLiteral("Zweite Änderung"));

    // Typing back what was there is no change once it is stored.
    QVERIFY(f.Trigger(w.Rckgngig1));
    w.Question1->setText(QStringLiteral("anders"));
    QVERIFY(w.IsChanged());
    w.Question1->setText(OemToQString(w.QFile->DatRec.Question[0].view()));
    QVERIFY(f.Trigger(w.Voriger1));
    QVERIFY(!w.IsChanged());
    // Nor did it cut the way forward.
    QVERIFY(TKelmorFrm::ItemEnabled(w.Wiederherstellen1));

    // A text saved and then typed back to what it was shown as is a change too.
    const QString shown = w.Question1->text();
    w.Question1->setText(QStringLiteral("gespeichert"));
    QVERIFY(f.Trigger(w.Speichern1));
    w.Question1->setText(shown);
    QVERIFY(f.Trigger(w.Nchster1));
    QCOMPARE(OemToQString(w.QFile->Data[0].Question[0].view()), shown);
    QVERIFY(w.IsChanged());
}

void TestHistory::fieldTypingIsUndoneBeforeTheDocumentsSteps()
{
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    f.Install(DistinctDocument(3, 0));
    QVERIFY(f.ShowActive());
    const QString shown = w.Question1->text();
    w.LevelItems[3]->click();
    QVERIFY(f.Trigger(w.Nchster1));
    QVERIFY(f.Trigger(w.Voriger1));
    QCOMPARE(w.QFile->DatRec.level, u'D');

    w.Question1->setFocus();
    w.Question1->end(false);
    QTest::keyClicks(w.Question1, QStringLiteral(" xy"));
    QCOMPARE(w.Question1->text(), shown + QStringLiteral(" xy"));
    QTest::keyClick(w.Question1, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.Question1->text(), shown);
    QCOMPARE(w.QFile->DatRec.level, u'D');
    // The field has nothing left to undo: the key goes on to the document.
    QTest::keyClick(w.Question1, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.QFile->DatRec.level, u'A');
    QVERIFY(w.LevelItems[0]->isChecked());
    QCOMPARE(w.QFile->Index, 0);
    // And both redo keys come back the same way.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(w.QFile->DatRec.level, u'D');
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.QFile->DatRec.level, u'A');
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(w.QFile->DatRec.level, u'D');
}

void TestHistory::newHistoryForEveryDocument()
{
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    f.Install(DistinctDocument(3, 0));
    QVERIFY(f.Trigger(w.Entfernen1));
    QVERIFY(w.History()->canUndo());
    f.Seam->DialogAnswers.push_back([](QDialog &) { return int(QDialog::Accepted); });
    f.Seam->DlgAnswers.push_back(TModalResult::mrNo);
    QVERIFY(f.Trigger(w.Neu1));
    QVERIFY(!w.History()->canUndo());
    // A new file stays changed: there is no saved state to go back to.
    QVERIFY(w.IsChanged());
    QVERIFY(f.Trigger(w.Hinzufgen1));
    QVERIFY(f.Trigger(w.Rckgngig1));
    QCOMPARE(w.QFile->Count(), 1);
    QVERIFY(w.IsChanged());
    // Leaving the new record untouched is no step of its own.
    QVERIFY(!w.History()->canUndo());
    f.Seam->DlgAnswers.push_back(TModalResult::mrNo);
    QVERIFY(f.Trigger(w.Schlieen1));
    QVERIFY(!w.History()->canUndo());
    QVERIFY(!w.History()->canRedo());
}

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
