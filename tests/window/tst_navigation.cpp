// Moving through the records: the seven record commands, go to and its number rules,
// and what storing the form on the way does to the records' bytes.
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "bevelpanel.h"
#include "editfield.h"
#include "recordnumber.h"
#include "textedge.h"
#include "windowfixture.h"

namespace {

const char *const Unreadable = "no number";

}  // namespace

class TestNavigation : public QObject {
    Q_OBJECT
private slots:
    void recordNumbersFollowTheirRules_data();
    void recordNumbersFollowTheirRules();
    void goToMovesToTheNumberTyped_data();
    void goToMovesToTheNumberTyped();
    void cancelledGoToKeepsTheRecordAndPostsTheEdits();
    void recordCommandsMoveAndPostTheForm_data();
    void recordCommandsMoveAndPostTheForm();
    void addedRecordIsEmptyAndTheFormWentIntoTheOldOne();
    void editOnTheLastRecordStaysInTheBufferUntilPosted();
    void browsingChangesNoBytes();
    void commandsDoNothingWithoutADocument();
};

void TestNavigation::recordNumbersFollowTheirRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("number");  // decimal, or Unreadable
    // clang-format off
    QTest::newRow("plain") << "12" << "12";
    QTest::newRow("blanks before") << "   4" << "4";
    QTest::newRow("plus") << "+7" << "7";
    QTest::newRow("minus") << "-7" << "-7";
    QTest::newRow("dollar hex") << "$1F" << "31";
    QTest::newRow("x hex") << "x1f" << "31";
    QTest::newRow("X hex") << "Xff" << "255";
    QTest::newRow("0x hex") << "0x10" << "16";
    QTest::newRow("0X hex") << "0XA" << "10";
    QTest::newRow("negative hex") << "-$10" << "-16";
    QTest::newRow("hex two's complement") << "$FFFFFFFF" << "-1";
    QTest::newRow("hex high bit") << "$80000000" << "-2147483648";
    QTest::newRow("hex leading zeros") << "$000000001" << "1";
    QTest::newRow("largest") << "2147483647" << "2147483647";
    QTest::newRow("smallest") << "-2147483648" << "-2147483648";
    QTest::newRow("zero") << "0" << "0";
    QTest::newRow("above the range") << "2147483648" << Unreadable;
    QTest::newRow("below the range") << "-2147483649" << Unreadable;
    QTest::newRow("nine hex digits") << "$100000000" << Unreadable;
    QTest::newRow("blank after") << "4 " << Unreadable;
    QTest::newRow("empty") << "" << Unreadable;
    QTest::newRow("blanks only") << "   " << Unreadable;
    QTest::newRow("word") << "vier" << Unreadable;
    QTest::newRow("sign only") << "-" << Unreadable;
    QTest::newRow("prefix only") << "$" << Unreadable;
    QTest::newRow("0x only") << "0x" << Unreadable;
    QTest::newRow("hex digit in decimal") << "1a" << Unreadable;
    QTest::newRow("two signs") << "+-1" << Unreadable;
    QTest::newRow("blank after the sign") << "- 1" << Unreadable;
    QTest::newRow("tab before") << "\t1" << Unreadable;
    QTest::newRow("arabic-indic digit") << QString(QChar(0x0661)) << Unreadable;
    // clang-format on
}

void TestNavigation::recordNumbersFollowTheirRules()
{
    QFETCH(QString, text);
    QFETCH(QString, number);
    const std::optional<std::int32_t> parsed = ParseRecordNumber(text);
    QCOMPARE(parsed ? QString::number(*parsed) : QString::fromLatin1(Unreadable), number);
}

void TestNavigation::goToMovesToTheNumberTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("shown");  // record number counted from 1
    QTest::newRow("1") << "1" << 1;
    QTest::newRow("5") << "5" << 5;
    QTest::newRow("0") << "0" << 1;
    QTest::newRow("-7") << "-7" << 1;
    QTest::newRow("99") << "99" << 5;
    QTest::newRow("blanks, 4") << " 4" << 4;
    QTest::newRow("$2") << "$2" << 2;
    QTest::newRow("smallest number") << "-2147483648" << 1;
    QTest::newRow("largest number") << "2147483647" << 5;
    QTest::newRow("4 and a blank") << "4 " << 3;
    QTest::newRow("empty") << "" << 3;
    QTest::newRow("vier") << "vier" << 3;
}

void TestNavigation::goToMovesToTheNumberTyped()
{
    QFETCH(QString, typed);
    QFETCH(int, shown);
    TWindowFixture f;
    f.Install(DistinctDocument(5, 2));
    TKelmorFrm &w = *f.Frm;
    f.Seam->InputAnswers.push_back({true, typed});
    QVERIFY(f.Trigger(w.Gehezu1));

    const TSeamCall &asked = f.Seam->Calls.constLast();
    QCOMPARE(asked.Caption, QStringLiteral("Zu Datensatz springen"));
    QCOMPARE(asked.Text, QStringLiteral("Geben Sie bitte den Index des Datensatzes an,\rzu dem Sie springen wollen."));
    QCOMPARE(w.QFile->Index, shown - 1);
    QCOMPARE(w.Question1->text(), OemToQString(DistinctRecord(shown - 1).Question[0].view()));
    QCOMPARE(w.IndexPanel->text(), QStringLiteral("Datensatz Nr. %1").arg(shown));
    QCOMPARE(w.NextButton->isEnabled(), shown < 5);
    QCOMPARE(w.PreviousButton->isEnabled(), shown > 1);
}

void TestNavigation::cancelledGoToKeepsTheRecordAndPostsTheEdits()
{
    TWindowFixture f;
    f.Install(DistinctDocument(5, 2));
    TKelmorFrm &w = *f.Frm;
    w.CommentEdit->setText(QStringLiteral("geändert"));
    // The box proposes the current number; cancelling it gives that number back.
    f.Seam->InputAnswers.push_back({false, QStringLiteral("1")});
    QVERIFY(f.Trigger(w.Gehezu1));
    QCOMPARE(w.QFile->Index, 2);
    QCOMPARE(w.QFile->Data.at(2).Comment.str(), std::string("ge\x84ndert"));
    QCOMPARE(w.CommentEdit->text(), QStringLiteral("geändert"));
}

// Handler: the command's handler called with the item, as a disabled item cannot be
// chosen.
enum class TVia { Button, MenuItem, Handler };
Q_DECLARE_METATYPE(TVia)

void TestNavigation::recordCommandsMoveAndPostTheForm_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<TVia>("via");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("shownIndex");  // of the records as they were
    QTest::addColumn<int>("countAfter");
    QTest::addColumn<int>("postedIndex");  // the record that received the form, -1 for none
    QTest::newRow("first") << int(rcFirst) << TVia::Button << 4 << 2 << 0 << 4 << 2;
    QTest::newRow("previous") << int(rcPrior) << TVia::MenuItem << 4 << 2 << 1 << 4 << 2;
    QTest::newRow("next") << int(rcNext) << TVia::Button << 4 << 1 << 2 << 4 << 1;
    QTest::newRow("last") << int(rcLast) << TVia::MenuItem << 4 << 1 << 3 << 4 << 1;
    QTest::newRow("previous on the first") << int(rcPrior) << TVia::Handler << 4 << 0 << 0 << 4 << -1;
    QTest::newRow("delete the second of four") << int(rcDelete) << TVia::Button << 4 << 1 << 3 << 3 << -1;
    QTest::newRow("delete the only one") << int(rcDelete) << TVia::MenuItem << 1 << 0 << 0 << 1 << 0;
    QTest::newRow("post") << int(rcPost) << TVia::Button << 3 << 1 << 1 << 3 << 1;
}

void TestNavigation::recordCommandsMoveAndPostTheForm()
{
    QFETCH(int, command);
    QFETCH(TVia, via);
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(int, shownIndex);
    QFETCH(int, countAfter);
    QFETCH(int, postedIndex);
    TWindowFixture f;
    f.Install(DistinctDocument(count, index));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    QTest::keyClicks(w.Question2, QStringLiteral(" neu"));

    QObject *sender = nullptr;
    for (QObject *element : w.findChildren<QObject *>()) {
        const bool isButton = qobject_cast<QToolButton *>(element) != nullptr;
        if (element->property(kTagProperty).toInt() == command && isButton == (via == TVia::Button) &&
            (isButton || qobject_cast<QAction *>(element) != nullptr))
            sender = element;
    }
    QVERIFY(sender != nullptr);
    if (via == TVia::Handler) {
        w.DataControlClick(sender);
    } else if (auto *button = qobject_cast<QToolButton *>(sender)) {
        QVERIFY(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        QVERIFY(f.Trigger(static_cast<QAction *>(sender)));
    }

    const std::string edited = DistinctRecord(index).Question[1].str() + " neu";
    QCOMPARE(w.QFile->Count(), countAfter);
    QCOMPARE(w.NumberOfPanel->text(), QStringLiteral("Datensätze: %1").arg(countAfter));
    QCOMPARE(w.IndexPanel->text(), QStringLiteral("Datensatz Nr. %1").arg(w.QFile->Index + 1));
    if (shownIndex == index) {
        // Nothing moved: the form still shows the edit.
        QCOMPARE(w.Question2->text(), QString::fromStdString(edited));
    } else {
        QCOMPARE(w.Question1->text(), OemToQString(DistinctRecord(shownIndex).Question[0].view()));
        QCOMPARE(w.Question2->text(), OemToQString(DistinctRecord(shownIndex).Question[1].view()));
    }
    QCOMPARE(w.QFile->DatRec.Question[1].str(),
             shownIndex == index ? edited : DistinctRecord(shownIndex).Question[1].str());
    for (int i = 0; i < count; ++i) {
        if (command == rcDelete && count > 1 && i == index)
            continue;
        const int at = command == rcDelete && count > 1 && i > index ? i - 1 : i;
        QCOMPARE(w.QFile->Data.at(at).Question[1].str(),
                 i == postedIndex ? edited : DistinctRecord(i).Question[1].str());
    }
}

void TestNavigation::addedRecordIsEmptyAndTheFormWentIntoTheOldOne()
{
    TWindowFixture f;
    f.Install(DistinctDocument(3, 0));
    TKelmorFrm &w = *f.Frm;
    w.Question3->setText(QStringLiteral("Nachtrag"));
    QVERIFY(f.Trigger(w.Hinzufgen1));
    QCOMPARE(w.QFile->Count(), 4);
    QCOMPARE(w.QFile->Index, 3);
    QCOMPARE(w.QFile->Data.at(0).Question[2].str(), std::string("Nachtrag"));
    for (TEditField *field : {w.Question1, w.Question2, w.Question3, w.CommentEdit})
        QVERIFY(field->text().isEmpty());
    QCOMPARE(w.Answers->count(), 0);
    QVERIFY(w.SchwarzerPeterRadioButton->isChecked());
    QVERIFY(w.LevelItems[0]->isChecked());
    QCOMPARE(w.IndexPanel->text(), QStringLiteral("Datensatz Nr. 4"));
    QVERIFY(!w.NextButton->isEnabled());
}

void TestNavigation::editOnTheLastRecordStaysInTheBufferUntilPosted()
{
    TWindowFixture f;
    f.Install(DistinctDocument(3, 2));
    TKelmorFrm &w = *f.Frm;
    w.Question1->setText(QStringLiteral("Letzte Frage"));
    QVERIFY(!f.Trigger(w.Nchster1));  // nothing to go to: the item is disabled
    w.DataControlClick(w.Nchster1);
    QCOMPARE(w.Question1->text(), QStringLiteral("Letzte Frage"));
    QCOMPARE(w.QFile->DatRec.Question[0].str(), std::string("Letzte Frage"));
    QCOMPARE(w.QFile->Data.at(2).Question[0], DistinctRecord(2).Question[0]);
    QVERIFY(f.Trigger(w.bernehmen1));
    QCOMPARE(w.QFile->Data.at(2).Question[0].str(), std::string("Letzte Frage"));
}

void TestNavigation::browsingChangesNoBytes()
{
    // Bytes of code page 850 that the window's code page lacks: shade and box drawing.
    const std::string boxes = "\xB0\xB1\xB2\xDB\xC4\xCD\xBA";
    auto doc = DistinctDocument(4, 0);
    for (TMirolaDatensatz &rec : doc->Data) {
        rec.Question[0] = rec.Question[0].str() + boxes;
        rec.Comment = boxes;
        rec.Answers[0] = boxes + rec.Answers[0].str();
    }
    doc->DatRec = doc->Data.at(0);
    const TRecordList before = doc->Data;

    TWindowFixture f;
    f.Install(std::move(doc));
    TKelmorFrm &w = *f.Frm;
    for (int i = 0; i < 3; ++i)
        QVERIFY(f.Trigger(w.Nchster1));
    QVERIFY(f.Trigger(w.Erster1));
    for (std::size_t i = 0; i < before.size(); ++i) {
        QCOMPARE(w.QFile->Data.at(i).Question[0], before.at(i).Question[0]);
        QCOMPARE(w.QFile->Data.at(i).Comment, before.at(i).Comment);
        QCOMPARE(w.QFile->Data.at(i).Answers[0], before.at(i).Answers[0]);
    }
    QVERIFY(!w.IsChanged());

    // A field the user did change is taken as typed.
    QTest::keyClicks(w.CommentEdit, QStringLiteral("x"));
    QVERIFY(f.Trigger(w.bernehmen1));
    QCOMPARE(w.QFile->Data.at(0).Comment.str(), std::string("???????x"));
}

void TestNavigation::commandsDoNothingWithoutADocument()
{
    TWindowFixture f;  // nothing queued: a question would fail the test
    f.Frm->DataControlClick(f.Frm->NextButton);
    f.Frm->Gehezu1Click(f.Frm->Gehezu1);
    QVERIFY(!f.Frm->IsFileLoaded());
}

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
