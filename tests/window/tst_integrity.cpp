// A file changes only where the user changed it, and nothing the user changed goes
// unnoticed: browsing a file and saving it rewrites only the edited field, and
// every command that changes the document marks it, so that Save, Close and Exit
// know.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "editfield.h"
#include "finddialog.h"
#include "windowfixture.h"

namespace {

// Records the form cannot show one to one: small and unknown level letters, codes in
// capitals and outside the eight, answers with empty slots between them and a right
// answer behind a gap, bytes the window's code page lacks.
std::unique_ptr<TMirolaFile> OddDocument()
{
    auto doc = DistinctDocument(6);
    TRecordList &r = doc->Data;
    r[0].level = u'b';
    r[1].level = u'E';
    r[1].Answers[0] = "erste \x94";
    r[1].Answers[1].clear();
    r[1].Answers[2] = "dritte \xB0\xB1";
    r[1].theletter = u'c';
    r[2].theletter = u'B';
    r[2].level = u'd';
    r[2].Answers[0].clear();
    r[2].Answers[1] = "zweite";
    r[2].Answers[3] = "vierte \xC9\xCD";
    r[3].theletter = u'z';
    r[3].level = u' ';
    r[3].Question[2] = "Rahmen \xC9\xCD\xBB \xB3";
    r[4].Comment = "\xDB\xDC\xDD";
    r[4].Answers[0].clear();
    r[4].Answers[4] = "f\x81nfte";
    r[4].theletter = u'e';
    r[5].theletter = u'E';
    r[5].level = u'a';
    doc->DatRec = r[0];
    return doc;
}

// Fills the search form with `text` over every area, from the record shown on.
void QueueSearch(TScriptedSeam &seam, const QString &text)
{
    seam.DialogAnswers.push_back([text](QDialog &dialog) {
        auto &form = static_cast<TFindDialog &>(dialog);
        form.SuchTextComboBox->setEditText(text);
        for (QCheckBox *area : {form.FragetextCheckBox, form.KommentareCheckBox, form.AntwortenCheckBox})
            area->setChecked(true);
        form.VorwrtsRadioButton->setChecked(true);
        form.AktuellePositionRadioButton->setChecked(true);
        return int(QDialog::Accepted);
    });
}

QList<QByteArray> Lines(const QByteArray &bytes)
{
    return bytes.split('\n');
}

// The text file's line of a record's field: five header lines, ten per record.
int LineOf(int record, int field)
{
    return 5 + record * 10 + field;
}

}  // namespace

class TestIntegrity : public QObject {
    Q_OBJECT
private slots:
    void browsedFileChangesOnlyInTheEditedField_data();
    void browsedFileChangesOnlyInTheEditedField();
    void everyChangeOfTheDocumentMarksIt_data();
    void everyChangeOfTheDocumentMarksIt();
};

enum class TFieldEdit { QuestionLine, Comment, Level };
Q_DECLARE_METATYPE(TFieldEdit)

void TestIntegrity::browsedFileChangesOnlyInTheEditedField_data()
{
    QTest::addColumn<int>("record");
    QTest::addColumn<TFieldEdit>("edit");
    QTest::addColumn<int>("field");  // the record's line that changes
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("question line with box drawing") << 3 << TFieldEdit::QuestionLine << 3 << QByteArray("Neue Zeile");
    QTest::newRow("comment of the record with gaps") << 1 << TFieldEdit::Comment << 4 << QByteArray("- neu");
    // The letter of the code line, from "c:E:" with a level the form cannot show.
    QTest::newRow("level outside A to D") << 1 << TFieldEdit::Level << 0 << QByteArray("c:B:002");
}

void TestIntegrity::browsedFileChangesOnlyInTheEditedField()
{
    QFETCH(int, record);
    QFETCH(TFieldEdit, edit);
    QFETCH(int, field);
    QFETCH(QByteArray, line);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quiz.mfd"));
    // The original is a file as Kelmor writes it.
    OddDocument()->SaveToFile(path.toStdString(), ftTXT);
    const QByteArray original = FileBytes(path);

    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    w.OpenDoc(path);
    QVERIFY(f.ShowActive());
    for (int i = 0; i < 5; ++i)
        QVERIFY(f.Trigger(w.Nchster1));
    QVERIFY(f.Trigger(w.Voriger1));
    QVERIFY(f.Trigger(w.Erster1));
    QVERIFY(f.Trigger(w.Letzter1));
    f.Seam->InputAnswers.push_back({true, QStringLiteral("2")});
    QVERIFY(f.Trigger(w.Gehezu1));
    QueueSearch(*f.Seam, QStringLiteral("Antwort"));
    QVERIFY(f.Trigger(w.Suchen1));
    for (int i = 0; i < 4; ++i)
        QVERIFY(f.Trigger(w.Weitersuchen1));
    f.Seam->DialogAnswers.push_back([](QDialog &) { return int(QDialog::Accepted); });
    QVERIFY(f.Trigger(w.Dateiinformationen1));
    QVERIFY(f.Seam->Calls.size() >= 3);
    for (const TSeamCall &call : f.Seam->Calls)
        QVERIFY2(call.Kind != QLatin1String("MessageDlg"), qPrintable(call.Text));

    f.Seam->InputAnswers.push_back({true, QString::number(record + 1)});
    QVERIFY(f.Trigger(w.Gehezu1));
    switch (edit) {
    case TFieldEdit::QuestionLine: w.Question3->setText(QString::fromLatin1(line)); break;
    case TFieldEdit::Comment: w.CommentEdit->setText(QStringLiteral("neu")); break;
    case TFieldEdit::Level: w.LevelItems[1]->click(); break;
    }
    QVERIFY(f.Trigger(w.Erster1));
    QVERIFY(f.Trigger(w.Speichern1));

    QList<QByteArray> expected = Lines(original);
    expected[LineOf(record, field)] = line + '\r';
    QCOMPARE(Lines(FileBytes(path)), expected);
}

enum class TChange {
    AddByButton,
    AddByMenu,
    DeleteByButton,
    DeleteByMenu,
    DeleteTheOnlyRecord,
    HeaderTexts,
    NewFile,
    SearchAndType,
    Level,
    RightAnswer,
    Answer,
    Browse,
};
Q_DECLARE_METATYPE(TChange)

void TestIntegrity::everyChangeOfTheDocumentMarksIt_data()
{
    QTest::addColumn<TChange>("change");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("count");  // records afterwards
    QTest::addColumn<bool>("changed");
    QTest::newRow("add by button") << TChange::AddByButton << 3 << 4 << true;
    QTest::newRow("add by menu") << TChange::AddByMenu << 3 << 4 << true;
    QTest::newRow("delete by button") << TChange::DeleteByButton << 3 << 2 << true;
    QTest::newRow("delete by menu") << TChange::DeleteByMenu << 2 << 1 << true;
    QTest::newRow("delete the only record") << TChange::DeleteTheOnlyRecord << 1 << 1 << false;
    QTest::newRow("header texts") << TChange::HeaderTexts << 3 << 3 << true;
    QTest::newRow("new file") << TChange::NewFile << 3 << 1 << true;
    QTest::newRow("typing over a search hit") << TChange::SearchAndType << 3 << 3 << true;
    QTest::newRow("level") << TChange::Level << 3 << 3 << true;
    QTest::newRow("right answer") << TChange::RightAnswer << 3 << 3 << true;
    QTest::newRow("answer") << TChange::Answer << 3 << 3 << true;
    QTest::newRow("browsing") << TChange::Browse << 3 << 3 << false;
}

void TestIntegrity::everyChangeOfTheDocumentMarksIt()
{
    QFETCH(TChange, change);
    QFETCH(int, records);
    QFETCH(int, count);
    QFETCH(bool, changed);
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    f.Install(DistinctDocument(records, 0));
    w.dokname = QStringLiteral("quiz.mfd");
    QVERIFY(f.ShowActive());
    QVERIFY(!w.IsChanged());
    switch (change) {
    case TChange::AddByButton: QTest::mouseClick(w.AddButton, Qt::LeftButton); break;
    case TChange::AddByMenu: QVERIFY(f.Trigger(w.Hinzufgen1)); break;
    case TChange::DeleteByButton: QTest::mouseClick(w.DeleteButton, Qt::LeftButton); break;
    case TChange::DeleteByMenu:
    case TChange::DeleteTheOnlyRecord: QVERIFY(f.Trigger(w.Entfernen1)); break;
    case TChange::HeaderTexts:
        f.Seam->DialogAnswers.push_back([](QDialog &) { return int(QDialog::Accepted); });
        QVERIFY(f.Trigger(w.Dateiinformationen1));
        break;
    case TChange::NewFile:
        f.Seam->DialogAnswers.push_back([](QDialog &) { return int(QDialog::Accepted); });
        QVERIFY(f.Trigger(w.Neu1));
        break;
    case TChange::SearchAndType:
        QueueSearch(*f.Seam, QStringLiteral("Zeile 2"));
        QVERIFY(f.Trigger(w.Suchen1));
        QCOMPARE(QApplication::focusWidget(), w.Question2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
        break;
    case TChange::Level: w.LevelItems[3]->click(); break;
    case TChange::RightAnswer: w.SchwarzerPeterRadioButton->click(); break;
    case TChange::Answer:
        w.AnswerEdit->setText(QStringLiteral("neu"));
        QTest::mouseClick(w.AddAnswerButton, Qt::LeftButton);
        break;
    case TChange::Browse:
        QVERIFY(f.Trigger(w.Letzter1));
        QVERIFY(f.Trigger(w.Voriger1));
        break;
    }
    QCOMPARE(w.QFile->Count(), count);
    QCOMPARE(w.IsChanged(), changed);
    QCOMPARE(w.SaveButton->isEnabled(), changed);
    // Closing asks exactly when there is something to lose.
    if (changed)
        f.Seam->DlgAnswers.push_back(TModalResult::mrCancel);
    QVERIFY(f.Trigger(w.Schlieen1));
    QCOMPARE(w.IsFileLoaded(), changed);
    QCOMPARE(f.Seam->Calls.isEmpty() || f.Seam->Calls.constLast().Kind != QLatin1String("MessageDlg"), !changed);
}

QTEST_MAIN(TestIntegrity)
#include "tst_integrity.moc"
