// The check window: its rows and summary, a choice that outlives a refresh, going to a
// record by double click and Enter, and closing.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "bevelpanel.h"
#include "checkwindow.h"
#include "editfield.h"
#include "mirolafile.h"
#include "windowfixture.h"

namespace {

// One sound record first, then one record of each kind of finding. Texts in code page
// 850: 0x84 "ä", 0x8E "Ä", 0x81 "ü", 0x9A "Ü", 0x94 "ö".
TMirolaFile Fixture()
{
    TMirolaFile doc;
    // clang-format off
    doc.Data = {
        Record("Wer baute \x84hnliche Br\x81""cken?", u'a', u'A', {"R\x94mer", "Griechen"}),
        Record("", u'b', u'B', {"Ja", "Nein"}),
        Record("Wie viele Beine hat ein K\x84""fer?", u'c', u'C', {"sechs", "acht"}),
        Record("Welche Farbe hat Gr\x81n?", u'\x84', u'D', {"gr\x81n", "blau"}),
        Record("Wo liegt K\x94ln?", u'a', u'E', {"am Rhein", "an der Elbe"}),
        Record("Wer war Goethe?", u'a', u'A', {"ein Dichter"}),
        Record("", u'x', u'a', {}),
        Record("WER BAUTE \x8EHNLICHE BR\x9A""CKEN?", u'r', u'B', {"Br\x81""ckenbauer", "Baumeister"}),
    };
    // clang-format on
    doc.DatRec = doc.Data.front();
    return doc;
}

// The row as a user reads it: record number, reason, and a mark where the game shows
// the record wrongly.
QStringList Rows(const TCheckWindow &w)
{
    QStringList rows;
    for (int i = 0; i < w.FindingList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = w.FindingList->topLevelItem(i);
        rows << item->text(0) + " | " + item->text(1) + (item->icon(0).isNull() ? "" : " | !");
    }
    return rows;
}

QString SelectedRow(const TCheckWindow &w)
{
    const QList<QTreeWidgetItem *> selected = w.FindingList->selectedItems();
    if (selected.size() != 1)
        return QStringLiteral("%1 rows selected").arg(selected.size());
    return selected.front()->text(0) + " | " + selected.front()->text(1);
}

void Select(TCheckWindow &w, int row)
{
    w.FindingList->setCurrentItem(w.FindingList->topLevelItem(row));
}

// Changes one record of `doc`; the cursor's buffer follows, as the form keeps it.
void Change(TMirolaFile &doc, int record, const std::function<void(TMirolaDatensatz &)> &change)
{
    change(doc.Data.at(static_cast<std::size_t>(record - 1)));
    doc.DatRec = doc.Data.at(static_cast<std::size_t>(doc.Index));
}

// The fixture's findings in the window, shown and active with the list holding the
// keys, as a user who presses them has it.
bool ShowFixtureForKeys(TCheckWindow &w)
{
    w.Refresh(Fixture());
    w.show();
    w.activateWindow();
    if (!QTest::qWaitForWindowActive(&w))
        return false;
    w.FindingList->setFocus();
    return true;
}

enum class TChange { ProblemAddedBefore, ProblemFixedBefore, ProblemFixedAfter, ChosenProblemFixed };
enum class TChoice { DoubleClick, Return, KeypadEnter };
enum class TClosing { CloseButton, Escape };

}  // namespace

Q_DECLARE_METATYPE(TChange)
Q_DECLARE_METATYPE(TChoice)
Q_DECLARE_METATYPE(TClosing)

class TestCheckWindow : public QObject {
    Q_OBJECT
private slots:
    void listsEveryFindingInOrderAndMarksWhatTheGameShowsWrongly();
    void reasonsAreShownAsTheyAre();
    void summaryCountsTheFindings_data();
    void summaryCountsTheFindings();
    void choiceOutlivesARefresh_data();
    void choiceOutlivesARefresh();
    void rowLeadsToItsRecord_data();
    void rowLeadsToItsRecord();
    void windowHides_data();
    void windowHides();
    void editorsCheckFollowsTheDocumentAndLeadsToRecords();
};

void TestCheckWindow::listsEveryFindingInOrderAndMarksWhatTheGameShowsWrongly()
{
    TCheckWindow w;
    w.Refresh(Fixture());
    QCOMPARE(Rows(w), QStringList({
                          "2 | Kein Fragetext",
                          "3 | Die richtige Antwort (c) ist leer | !",
                          "4 | Unbekannter Code für die richtige Antwort: 'ä' | !",
                          "5 | Unbekannter Level: 'E' | !",
                          "6 | Weniger als zwei Antworten | !",
                          "7 | Neuer Datensatz ohne Inhalt",
                          "8 | Frage steht schon in Datensatz 1",
                      }));
    QCOMPARE(w.FindingList->headerItem()->text(0), QStringLiteral("Datensatz"));
    QCOMPARE(w.FindingList->headerItem()->text(1), QStringLiteral("Problem"));
    QVERIFY(w.FindingList->topLevelItem(0)->textAlignment(0) & Qt::AlignRight);
    QVERIFY(!w.isModal());
}

void TestCheckWindow::reasonsAreShownAsTheyAre()
{
    TCheckWindow w;
    w.ShowFindings({{12, ckDuplicateQuestion, "Frage \"<b>x</b> &amp; <a href=\"y\">z</a>\" steht doppelt"}});
    QCOMPARE(Rows(w), QStringList({"12 | Frage \"<b>x</b> &amp; <a href=\"y\">z</a>\" steht doppelt"}));
}

void TestCheckWindow::summaryCountsTheFindings_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<QList<int>>("records");  // records of the fixture, counted from 1
    QTest::addColumn<QString>("summary");
    QTest::newRow("no document") << false << QList<int>{} << "Keine Datei geöffnet.";
    QTest::newRow("no records") << true << QList<int>{} << "Keine Probleme gefunden.";
    QTest::newRow("sound") << true << QList<int>{1} << "Keine Probleme gefunden.";
    QTest::newRow("one, shown rightly") << true << QList<int>{1, 7} << "1 Problem gefunden.";
    QTest::newRow("one, shown wrongly") << true << QList<int>{5} << "1 Problem gefunden, im Spiel falsch angezeigt.";
    QTest::newRow("two, shown rightly") << true << QList<int>{1, 2, 8} << "2 Probleme gefunden.";
    QTest::newRow("all") << true << QList<int>{1, 2, 3, 4, 5, 6, 7, 8}
                         << "7 Probleme gefunden, davon 4 im Spiel falsch angezeigt.";
}

void TestCheckWindow::summaryCountsTheFindings()
{
    QFETCH(bool, open);
    QFETCH(QList<int>, records);
    QFETCH(QString, summary);
    const TMirolaFile fixture = Fixture();
    TMirolaFile doc;
    for (int record : records)
        doc.Data.push_back(fixture.Data.at(static_cast<std::size_t>(record - 1)));
    if (!doc.Data.empty())
        doc.DatRec = doc.Data.front();

    // A window that showed another document before, as it does in use.
    TCheckWindow w;
    w.Refresh(fixture);
    if (open)
        w.Refresh(doc);
    else
        w.Clear();
    QCOMPARE(w.SummaryLabel->text(), summary);
    QCOMPARE(w.FindingList->topLevelItemCount(), static_cast<int>(CheckQuestions(doc).size()));
}

void TestCheckWindow::choiceOutlivesARefresh_data()
{
    QTest::addColumn<TChange>("change");
    QTest::addColumn<QString>("selected");
    QTest::newRow("problem added before") << TChange::ProblemAddedBefore << "5 | Unbekannter Level: 'E'";
    QTest::newRow("problem fixed before") << TChange::ProblemFixedBefore << "5 | Unbekannter Level: 'E'";
    QTest::newRow("problem fixed after") << TChange::ProblemFixedAfter << "5 | Unbekannter Level: 'E'";
    // The row that takes the place of the chosen one.
    QTest::newRow("chosen problem fixed") << TChange::ChosenProblemFixed << "6 | Weniger als zwei Antworten";
}

void TestCheckWindow::choiceOutlivesARefresh()
{
    QFETCH(TChange, change);
    QFETCH(QString, selected);
    TMirolaFile doc = Fixture();
    TCheckWindow w;
    w.Refresh(doc);
    Select(w, 3);
    QCOMPARE(SelectedRow(w), QStringLiteral("5 | Unbekannter Level: 'E'"));

    switch (change) {
    case TChange::ProblemAddedBefore: Change(doc, 1, [](TMirolaDatensatz &rec) { rec.level = u'Z'; }); break;
    case TChange::ProblemFixedBefore: Change(doc, 3, [](TMirolaDatensatz &rec) { rec.Answers[2] = "zehn"; }); break;
    case TChange::ProblemFixedAfter:
        Change(doc, 8, [](TMirolaDatensatz &rec) { rec.Question[0] = "Wer baute Burgen?"; });
        break;
    case TChange::ChosenProblemFixed: Change(doc, 5, [](TMirolaDatensatz &rec) { rec.level = u'B'; }); break;
    }
    w.Refresh(doc);
    QCOMPARE(SelectedRow(w), selected);
    QCOMPARE(w.FindingList->currentItem(), w.FindingList->selectedItems().value(0));
    // The rows rewritten in place read as those of a window that never saw the old ones.
    TCheckWindow fresh;
    fresh.Refresh(doc);
    QCOMPARE(Rows(w), Rows(fresh));
}

void TestCheckWindow::rowLeadsToItsRecord_data()
{
    QTest::addColumn<TChoice>("choice");
    QTest::newRow("double click") << TChoice::DoubleClick;
    QTest::newRow("Return") << TChoice::Return;
    QTest::newRow("Enter of the keypad") << TChoice::KeypadEnter;
}

void TestCheckWindow::rowLeadsToItsRecord()
{
    QFETCH(TChoice, choice);
    TCheckWindow w;
    QVERIFY(ShowFixtureForKeys(w));
    Select(w, 0);
    QSignalSpy chosen(&w, &TCheckWindow::RecordChosen);

    // The fourth row is the fifth record's, which the list counts from 0 as 4.
    QTreeWidgetItem *item = w.FindingList->topLevelItem(3);
    switch (choice) {
    case TChoice::DoubleClick: {
        const QPoint at = w.FindingList->visualItemRect(item).center();
        QTest::mouseClick(w.FindingList->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(w.FindingList->viewport(), Qt::LeftButton, {}, at);
        break;
    }
    case TChoice::Return:
        QTest::keyClick(w.FindingList, Qt::Key_Down);
        QTest::keyClick(w.FindingList, Qt::Key_Down);
        QTest::keyClick(w.FindingList, Qt::Key_Down);
        QTest::keyClick(w.FindingList, Qt::Key_Return);
        break;
    case TChoice::KeypadEnter:
        Select(w, 3);
        QTest::keyClick(w.FindingList, Qt::Key_Enter, Qt::KeypadModifier);
        break;
    }
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.front().front().toInt(), 4);
    QVERIFY(w.isVisible());
}

void TestCheckWindow::windowHides_data()
{
    QTest::addColumn<TClosing>("closing");
    QTest::newRow("Schließen") << TClosing::CloseButton;
    QTest::newRow("Escape") << TClosing::Escape;
}

void TestCheckWindow::windowHides()
{
    QFETCH(TClosing, closing);
    TCheckWindow w;
    QVERIFY(ShowFixtureForKeys(w));
    if (closing == TClosing::CloseButton) {
        QCOMPARE(w.CloseButton->text(), QStringLiteral("Schließen"));
        QTest::mouseClick(w.CloseButton, Qt::LeftButton);
    } else {
        QTest::keyClick(w.FindingList, Qt::Key_Escape);
    }
    QVERIFY(!w.isVisible());
}

void TestCheckWindow::editorsCheckFollowsTheDocumentAndLeadsToRecords()
{
    TWindowFixture f;
    TKelmorFrm &frm = *f.Frm;
    f.Install(std::make_unique<TMirolaFile>(Fixture()));
    QVERIFY(f.ShowActive());
    QTest::keyClick(&frm, Qt::Key_F7);
    TCheckWindow *w = frm.CheckWindow();
    QVERIFY(w != nullptr);
    QVERIFY(w->isVisible());
    QCOMPARE(w->FindingList->topLevelItemCount(), 7);

    // The record on screen counts as the form shows it, stored or not.
    frm.Question1->clear();
    QTRY_COMPARE(Rows(*w).value(0), QStringLiteral("1 | Kein Fragetext"));
    QCOMPARE(frm.QFile->DatRec.Question[0].view().size(), std::size_t(27));
    frm.Question1->setText(QStringLiteral("Wer baute Brücken?"));
    QTRY_COMPARE(Rows(*w).value(0), QStringLiteral("2 | Kein Fragetext"));

    // A row leads to its record in the editor.
    Select(*w, 3);
    QTest::keyClick(w->FindingList, Qt::Key_Return);
    QCOMPARE(frm.QFile->Index, 4);
    QCOMPARE(frm.IndexPanel->text(), QStringLiteral("Datensatz Nr. 5"));
    // Going there stored the first record's new question, which undo takes back.
    QCOMPARE(frm.QFile->Data[0].Question[0].str(), std::string("Wer baute Br\x81"
                                                               "cken?"));
    QVERIFY(f.Trigger(frm.Rckgngig1));
    QTRY_COMPARE(Rows(*w).value(6), QStringLiteral("8 | Frage steht schon in Datensatz 1"));

    // Undo shows the record it changed. Picking a level mends the record on screen.
    QCOMPARE(frm.QFile->Index, 0);
    const QPoint at = w->FindingList->visualItemRect(w->FindingList->topLevelItem(3)).center();
    QTest::mouseClick(w->FindingList->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(w->FindingList->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(frm.QFile->Index, 4);
    frm.LevelItems[0]->click();
    QTRY_COMPARE(Rows(*w).size(), 6);
    f.Seam->DlgAnswers.push_back(TModalResult::mrNo);
    QVERIFY(f.Trigger(frm.Schlieen1));
    QTRY_COMPARE(w->SummaryLabel->text(), QStringLiteral("Keine Datei geöffnet."));
}

QTEST_MAIN(TestCheckWindow)
#include "tst_checkwindow.moc"
