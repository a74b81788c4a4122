// Editing the answer list: adding up to five answers, removing one by the button or
// the Del key, taking one back into the entry field and what becomes of it when the
// record is stored, editing one in place, reordering by dragging, undo, and the
// marks these leave on the document, the list and the right-answer choices.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include "bevelpanel.h"
#include "checkwindow.h"
#include "editfield.h"
#include "finddialog.h"
#include "textedge.h"
#include "windowfixture.h"

namespace {

// Answers that differ, with characters of both code pages' upper halves and, in the
// first and the last, box-drawing bytes that code page 1252 lacks.
// clang-format off
const std::vector<std::string> Fruits = {"\xC9\xCD \x8E" "pfel", "Birnen \x81", "Clementinen", "D\x84tteln",
                                         "Erdbeer \xE1\xC4"};
// clang-format on

TMirolaDatensatz FruitRecord(int answers, char16_t code = u'x')
{
    TMirolaDatensatz rec = Record("Welche Frucht?", code, u'B', {});
    for (int i = 0; i < answers; ++i)
        rec.Answers[i] = Fruits.at(static_cast<std::size_t>(i));
    return rec;
}

QString Shown(const std::string &oem)
{
    return OemToQString(oem);
}

// Types a text key by key, letters beyond ASCII included.
void Type(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

QStringList ListTexts(const TKelmorFrm &w)
{
    QStringList texts;
    for (int i = 0; i < w.Answers->count(); ++i)
        texts << w.Answers->item(i)->text();
    return texts;
}

QStringList FruitTexts(const QList<int> &order)
{
    QStringList texts;
    for (int i : order)
        texts << Shown(Fruits.at(static_cast<std::size_t>(i)));
    return texts;
}

QPoint RowCentre(const TKelmorFrm &w, int row)
{
    return w.Answers->visualItemRect(w.Answers->item(row)).center();
}

// A point of the list's empty part, below its last answer.
QPoint BelowTheAnswers(const TKelmorFrm &w)
{
    return {w.Answers->viewport()->width() / 2, w.Answers->viewport()->height() - 4};
}

void ClickAnswer(TKelmorFrm &w, int row)
{
    QTest::mouseClick(w.Answers->viewport(), Qt::LeftButton, {}, RowCentre(w, row));
}

// What the platform delivers for a double click: a press, a release, the second
// press as a double click, a release.
void DoubleClickAnswer(TKelmorFrm &w, int row)
{
    const QPoint at = RowCentre(w, row);
    QTest::mousePress(w.Answers->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(w.Answers->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(w.Answers->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(w.Answers->viewport(), Qt::LeftButton, {}, at);
}

// The button held from `from` to `to`. Qt hands the moves and the release to the list
// that took the press, wherever the pointer is.
void Drag(TKelmorFrm &w, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
{
    QWidget *list = w.Answers->viewport();
    QTest::mousePress(list, Qt::LeftButton, modifiers, from);
    QTest::mouseMove(list, (from + to) / 2);
    QTest::mouseMove(list, to);
    QTest::mouseRelease(list, Qt::LeftButton, modifiers, to);
}

// The editor open on an answer, or none.
QLineEdit *AnswerEditor(const TKelmorFrm &w)
{
    for (QLineEdit *editor : w.Answers->viewport()->findChildren<QLineEdit *>()) {
        if (editor->isVisible())
            return editor;
    }
    return nullptr;
}

// The rows the list marks as the right answer.
QList<int> MarkedRows(const TKelmorFrm &w)
{
    QList<int> rows;
    for (int i = 0; i < w.Answers->count(); ++i) {
        if (w.Answers->item(i)->data(TAnswerList::kRightAnswerRole).toBool())
            rows << i;
    }
    return rows;
}

QString CheckedChoice(const TKelmorFrm &w)
{
    for (const TRightAnswerChoice &choice : kRightAnswerChoices) {
        if ((w.*choice.Button)->isChecked())
            return (w.*choice.Button)->objectName();
    }
    return {};
}

QList<bool> ChoicesEnabled(const TKelmorFrm &w)
{
    QList<bool> enabled;
    for (const TRightAnswerChoice &choice : kRightAnswerChoices)
        enabled << (w.*choice.Button)->isEnabled();
    return enabled;
}

// Enabled choices for k answers, in the order of kRightAnswerChoices.
QList<bool> ChoicesFor(int k)
{
    return {k >= 1, k >= 2, k >= 3, k >= 4, k >= 5, k >= 1, k >= 1, k >= 1};
}

}  // namespace

class TestAnswers : public QObject {
    Q_OBJECT
private slots:
    void sixthAnswerIsRefusedUntilOneIsRemoved();
    void answersAreAddedAsTyped();
    void keysInTheList_data();
    void keysInTheList();
    void altArrowsMoveTheAnswerUntilTheEnd();
    void deleteButtonWithoutASelectionOnlyDisablesItself();
    void doubleClickTakesTheAnswerBack();
    void draggingReorders_data();
    void draggingReorders();
    void doubleClickAndItsDragMoveNothing();
    void everyListChangeMarksTheDocument_data();
    void everyListChangeMarksTheDocument();
    void rightAnswerFollowsItsAnswer_data();
    void rightAnswerFollowsItsAnswer();
    void clipboardKeysInTheListLeaveTheClipboardAlone_data();
    void clipboardKeysInTheListLeaveTheClipboardAlone();
    void entryFieldGoesBackWithTheRecord_data();
    void entryFieldGoesBackWithTheRecord();
    void takenBackRightAnswerStaysRight_data();
    void takenBackRightAnswerStaysRight();
    void entryFieldTextWithoutRoomIsNamed();
    void editingInPlace_data();
    void editingInPlace();
    void doubleClickOpensNoEditor();
    void rightAnswerIsMarkedWhereItIs_data();
    void rightAnswerIsMarkedWhereItIs();
    void capitalCodeFollowsItsAnswer();
    void undoAfterEnterTakesTheAnswerOut();
    void fieldUndoneToItsShownTextLeavesNoMark_data();
    void fieldUndoneToItsShownTextLeavesNoMark();
};

void TestAnswers::sixthAnswerIsRefusedUntilOneIsRemoved()
{
    TWindowFixture f;
    f.Install(Document(1, 0, FruitRecord(5)));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    QTest::keyClicks(w.AnswerEdit, QStringLiteral("Feigen"));
    QVERIFY(w.AddAnswerButton->isEnabled());

    f.Seam->DlgAnswers.push_back(TModalResult::mrOK);
    QTest::mouseClick(w.AddAnswerButton, Qt::LeftButton);
    QCOMPARE(f.Seam->Calls.size(), 1);
    const TSeamCall &refusal = f.Seam->Calls.constFirst();
    QCOMPARE(refusal.Kind, QStringLiteral("MessageDlg"));
    QCOMPARE(refusal.Caption, QStringLiteral("Informationen"));
    QCOMPARE(refusal.Type, TMsgDlgType::mtInformation);
    QCOMPARE(refusal.Buttons, TMsgDlgButtons(TMsgDlgBtn::mbOK));
    QCOMPARE(refusal.Text, QStringLiteral("Die maximal zulässige Antwortzahl ist erreicht.\rSie müsser zuerst eine "
                                          "Antwort, um wieder Platz\rzu schaffen."));
    QCOMPARE(ListTexts(w), FruitTexts({0, 1, 2, 3, 4}));
    QCOMPARE(w.AnswerEdit->text(), QStringLiteral("Feigen"));

    ClickAnswer(w, 1);
    QVERIFY(w.DeleteAnswerButton->isEnabled());
    QTest::mouseClick(w.DeleteAnswerButton, Qt::LeftButton);
    QCOMPARE(ChoicesEnabled(w), ChoicesFor(4));
    QTest::mouseClick(w.AddAnswerButton, Qt::LeftButton);
    QCOMPARE(ListTexts(w), FruitTexts({0, 2, 3, 4}) << QStringLiteral("Feigen"));
    QCOMPARE(w.AnswerEdit->text(), QString());
    QVERIFY(!w.AddAnswerButton->isEnabled());
    QCOMPARE(ChoicesEnabled(w), ChoicesFor(5));
    QCOMPARE(f.Seam->Calls.size(), 1);

    QVERIFY(f.Trigger(w.bernehmen1));
    QCOMPARE(w.QFile->Data.at(0).Answers[1].str(), Fruits.at(2));
    QCOMPARE(w.QFile->Data.at(0).Answers[4].str(), std::string("Feigen"));
}

void TestAnswers::answersAreAddedAsTyped()
{
    TWindowFixture f;
    f.Install(Document(1, 0, FruitRecord(0)));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    QCOMPARE(ChoicesEnabled(w), ChoicesFor(0));
    // By the button, then by Enter in the field; Enter in the empty field adds nothing.
    Type(w.AnswerEdit, QStringLiteral("  Zwölf  "));
    QTest::mouseClick(w.AddAnswerButton, Qt::LeftButton);
    Type(w.AnswerEdit, QStringLiteral("  Zwölf  "));
    QTest::keyClick(w.AnswerEdit, Qt::Key_Return);
    QCOMPARE(w.AnswerEdit->text(), QString());
    QTest::keyClick(w.AnswerEdit, Qt::Key_Enter);
    QCOMPARE(ListTexts(w), (QStringList{"  Zwölf  ", "  Zwölf  "}));
    QCOMPARE(ChoicesEnabled(w), ChoicesFor(2));
    w.StoreRecord();
    QCOMPARE(w.QFile->DatRec.Answers[0].str(), std::string("  Zw\x94lf  "));
    QCOMPARE(w.QFile->DatRec.Answers[1].str(), std::string("  Zw\x94lf  "));
    QVERIFY(w.QFile->DatRec.Answers[2].empty());
}

void TestAnswers::keysInTheList_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QList<int>>("left");     // the answers left, as they were numbered
    QTest::addColumn<int>("selected");        // afterwards, -1 for none
    QTest::addColumn<bool>("deleteEnabled");  // DeleteAnswerButton afterwards
    const QList<int> all = {0, 1, 2, 3};
    QTest::newRow("Del on the third") << int(Qt::Key_Delete) << Qt::KeyboardModifiers() << QList<int>{0, 1, 3} << -1
                                      << false;
    QTest::newRow("Shift+Del") << int(Qt::Key_Delete) << Qt::KeyboardModifiers(Qt::ShiftModifier) << QList<int>{0, 1, 3}
                               << -1 << false;
    QTest::newRow("Ctrl+Alt+Del") << int(Qt::Key_Delete) << (Qt::ControlModifier | Qt::AltModifier)
                                  << QList<int>{0, 1, 3} << -1 << false;
    QTest::newRow("arrow down") << int(Qt::Key_Down) << Qt::KeyboardModifiers() << all << 3 << true;
    QTest::newRow("arrow up") << int(Qt::Key_Up) << Qt::KeyboardModifiers() << all << 1 << true;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << Qt::KeyboardModifiers() << all << 2 << true;
    QTest::newRow("Alt+Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::AltModifier) << QList<int>{0, 1, 3, 2}
                              << 3 << true;
    QTest::newRow("Alt+Up") << int(Qt::Key_Up) << Qt::KeyboardModifiers(Qt::AltModifier) << QList<int>{0, 2, 1, 3} << 1
                            << true;
}

void TestAnswers::keysInTheList()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QList<int>, left);
    QFETCH(int, selected);
    QFETCH(bool, deleteEnabled);
    TWindowFixture f;
    f.Install(Document(1, 0, FruitRecord(4)));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    ClickAnswer(w, 2);
    QVERIFY(w.DeleteAnswerButton->isEnabled());
    QTest::keyClick(w.Answers, Qt::Key(key), modifiers);
    QCOMPARE(ListTexts(w), FruitTexts(left));
    QCOMPARE(w.Answers->SelectedRow(), selected);
    QCOMPARE(w.DeleteAnswerButton->isEnabled(), deleteEnabled);
    QCOMPARE(ChoicesEnabled(w), ChoicesFor(int(left.size())));
    QCOMPARE(w.IsChanged(), left != QList<int>({0, 1, 2, 3}));
}

void TestAnswers::altArrowsMoveTheAnswerUntilTheEnd()
{
    // The moved answer stays selected, so the key moves it on; at the end of the list
    // it stays, and nothing is changed.
    TWindowFixture f;
    f.Install(Document(1, 0, FruitRecord(3)));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    ClickAnswer(w, 2);
    QTest::keyClick(w.Answers, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(ListTexts(w), FruitTexts({0, 1, 2}));
    QVERIFY(!w.IsChanged());
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(w.Answers, Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(ListTexts(w), FruitTexts({2, 0, 1}));
    QCOMPARE(w.Answers->SelectedRow(), 0);
    QVERIFY(w.IsChanged());
}

void TestAnswers::deleteButtonWithoutASelectionOnlyDisablesItself()
{
    TWindowFixture f;
    f.Install(DistinctDocument(3, 1));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    ClickAnswer(w, 0);
    QTest::mouseClick(w.NextButton, Qt::LeftButton);
    QCOMPARE(w.Answers->count(), 3);
    QVERIFY(w.DeleteAnswerButton->isEnabled());
    QCOMPARE(w.Answers->SelectedRow(), -1);
    w.SetIsChanged(false);

    QTest::mouseClick(w.DeleteAnswerButton, Qt::LeftButton);
    QCOMPARE(w.Answers->count(), 3);
    QVERIFY(!w.DeleteAnswerButton->isEnabled());
    QVERIFY(!w.IsChanged());
}

void TestAnswers::doubleClickTakesTheAnswerBack()
{
    TWindowFixture f;
    f.Install(Document(1, 0, FruitRecord(5, u'e')));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    QTest::keyClicks(w.AnswerEdit, QStringLiteral("verloren"));
    DoubleClickAnswer(w, 4);
    QCOMPARE(w.AnswerEdit->text(), Shown(Fruits.at(4)));
    QCOMPARE(ListTexts(w), FruitTexts({0, 1, 2, 3}));
    QCOMPARE(w.Answers->SelectedRow(), -1);
    QVERIFY(w.AddAnswerButton->isEnabled());
    // The choices are enabled anew at the next add, removal or record; the right
    // answer left the list, and no other answer took its place.
    QVERIFY(w.ERadioButton->isEnabled());
    QVERIFY(!w.ERadioButton->isChecked());
    QVERIFY(w.SchwarzerPeterRadioButton->isChecked());
    QVERIFY(w.DeleteAnswerButton->isEnabled());

    // Storing the record puts it back where it came from, with its bytes and as the
    // right answer; the field starts empty.
    QVERIFY(f.Trigger(w.bernehmen1));
    const TMirolaDatensatz &five = w.QFile->Data.at(0);
    QCOMPARE(five.theletter, u'e');
    for (int slot = 0; slot < 5; ++slot)
        QCOMPARE(five.Answers[slot].str(), Fruits.at(static_cast<std::size_t>(slot)));
    QVERIFY(w.AnswerEdit->text().isEmpty());
    QVERIFY(w.ERadioButton->isChecked());
    QCOMPARE(ChoicesEnabled(w), ChoicesFor(5));
}

enum class TDropAt { Answer, BelowTheAnswers, OutsideTheList };
Q_DECLARE_METATYPE(TDropAt)

void TestAnswers::draggingReorders_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<TDropAt>("dropAt");
    QTest::addColumn<int>("onto");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QList<int>>("order");
    const Qt::KeyboardModifiers none;
    QTest::newRow("one onto three") << 0 << TDropAt::Answer << 2 << none << QList<int>{1, 2, 0, 3};
    QTest::newRow("four onto two") << 3 << TDropAt::Answer << 1 << none << QList<int>{0, 3, 1, 2};
    QTest::newRow("two below four") << 1 << TDropAt::BelowTheAnswers << -1 << none << QList<int>{0, 2, 3, 1};
    QTest::newRow("three onto itself") << 2 << TDropAt::Answer << 2 << none << QList<int>{0, 1, 2, 3};
    QTest::newRow("one onto three, Ctrl held")
        << 0 << TDropAt::Answer << 2 << Qt::KeyboardModifiers(Qt::ControlModifier) << QList<int>{1, 2, 0, 3};
    QTest::newRow("two released off the list") << 1 << TDropAt::OutsideTheList << -1 << none << QList<int>{0, 1, 2, 3};
}

void TestAnswers::draggingReorders()
{
    QFETCH(int, from);
    QFETCH(TDropAt, dropAt);
    QFETCH(int, onto);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QList<int>, order);
    TWindowFixture f;
    f.Install(Document(1, 0, FruitRecord(4, u'b')));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    const QRect list = w.Answers->viewport()->rect();
    QPoint target;
    switch (dropAt) {
    case TDropAt::Answer: target = RowCentre(w, onto); break;
    case TDropAt::BelowTheAnswers: target = BelowTheAnswers(w); break;
    case TDropAt::OutsideTheList: target = QPoint(list.center().x(), list.bottom() + 40); break;
    }
    QCOMPARE(w.Answers->RowAt(target), onto);
    const QList<bool> choices = ChoicesEnabled(w);

    // Picked first, so that the press of the drag falls on the selected answer, which
    // Ctrl would take away in Qt's own lists.
    ClickAnswer(w, from);
    Drag(w, RowCentre(w, from), target, modifiers);
    QCOMPARE(ListTexts(w), FruitTexts(order));
    const bool moved = order != QList<int>{0, 1, 2, 3};
    QCOMPARE(w.Answers->SelectedRow(), moved ? -1 : from);
    QCOMPARE(ChoicesEnabled(w), choices);
    // Enabled by the press that picked the answer, and left so.
    QVERIFY(w.DeleteAnswerButton->isEnabled());
    QVERIFY(!w.Answers->Dragging());

    // The answers keep their bytes on the way; the right answer goes with its answer.
    w.StoreRecord();
    for (int slot = 0; slot < 4; ++slot)
        QCOMPARE(w.QFile->DatRec.Answers[slot].str(), Fruits.at(static_cast<std::size_t>(order.at(slot))));
    QCOMPARE(w.QFile->DatRec.theletter, char16_t(u'a' + order.indexOf(1)));
}

void TestAnswers::doubleClickAndItsDragMoveNothing()
{
    TWindowFixture f;
    f.Install(Document(1, 0, FruitRecord(4)));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    QWidget *list = w.Answers->viewport();
    const QPoint second = RowCentre(w, 1);
    QTest::mousePress(list, Qt::LeftButton, {}, second);
    QTest::mouseRelease(list, Qt::LeftButton, {}, second);
    // The second press lands on the answer that moved up; the button is held on to
    // the last answer.
    QTest::mouseDClick(list, Qt::LeftButton, {}, second);
    QVERIFY(w.Answers->Dragging());
    QTest::mouseMove(list, RowCentre(w, 2));
    QTest::mouseRelease(list, Qt::LeftButton, {}, RowCentre(w, 2));

    QCOMPARE(w.AnswerEdit->text(), Shown(Fruits.at(1)));
    QCOMPARE(ListTexts(w), FruitTexts({0, 2, 3}));
    QCOMPARE(w.Answers->SelectedRow(), -1);
}

enum class TListEdit { Add, RemoveByButton, RemoveByKey, TakeBack, Move, DropOnItself, TypeInEntryField };
Q_DECLARE_METATYPE(TListEdit)

void TestAnswers::everyListChangeMarksTheDocument_data()
{
    QTest::addColumn<TListEdit>("edit");
    QTest::addColumn<bool>("changed");
    QTest::newRow("add") << TListEdit::Add << true;
    QTest::newRow("remove by button") << TListEdit::RemoveByButton << true;
    QTest::newRow("remove by Del") << TListEdit::RemoveByKey << true;
    QTest::newRow("take back") << TListEdit::TakeBack << true;
    QTest::newRow("move") << TListEdit::Move << true;
    QTest::newRow("drop on itself") << TListEdit::DropOnItself << false;
    // Text left there is stored with the record.
    QTest::newRow("type in the entry field") << TListEdit::TypeInEntryField << true;
}

void TestAnswers::everyListChangeMarksTheDocument()
{
    QFETCH(TListEdit, edit);
    QFETCH(bool, changed);
    TWindowFixture f;
    f.Install(Document(2, 0, FruitRecord(3)));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    w.SetIsChanged(false);
    switch (edit) {
    case TListEdit::Add:
        QTest::keyClicks(w.AnswerEdit, QStringLiteral("Feigen"));
        QTest::mouseClick(w.AddAnswerButton, Qt::LeftButton);
        break;
    case TListEdit::RemoveByButton:
        ClickAnswer(w, 0);
        QTest::mouseClick(w.DeleteAnswerButton, Qt::LeftButton);
        break;
    case TListEdit::RemoveByKey:
        ClickAnswer(w, 2);
        QTest::keyClick(w.Answers, Qt::Key_Delete);
        break;
    case TListEdit::TakeBack: DoubleClickAnswer(w, 1); break;
    case TListEdit::Move: Drag(w, RowCentre(w, 2), RowCentre(w, 0)); break;
    case TListEdit::DropOnItself: Drag(w, RowCentre(w, 1), RowCentre(w, 1)); break;
    case TListEdit::TypeInEntryField: QTest::keyClicks(w.AnswerEdit, QStringLiteral("Feigen")); break;
    }
    QCOMPARE(w.IsChanged(), changed);
    QCOMPARE(w.SaveButton->isEnabled(), changed);
}

enum class TAnswerMove { DragOneOntoFour, DragFiveOntoTwo, RemoveTwo, RemoveFour, TakeBackThree, AltUpOnThree };
Q_DECLARE_METATYPE(TAnswerMove)

void TestAnswers::rightAnswerFollowsItsAnswer_data()
{
    QTest::addColumn<QChar>("code");
    QTest::addColumn<TAnswerMove>("move");
    QTest::addColumn<QChar>("after");
    const std::pair<TAnswerMove, const char *> moves[] = {
        {TAnswerMove::DragOneOntoFour, "drag one onto four"},
        {TAnswerMove::DragFiveOntoTwo, "drag five onto two"},
        {TAnswerMove::RemoveTwo, "remove two"},
        {TAnswerMove::RemoveFour, "remove four"},
        {TAnswerMove::TakeBackThree, "take back three"},
        {TAnswerMove::AltUpOnThree, "Alt+Up on three"},
    };
    // For each code, the code after each move in the order above: a letter goes
    // where its answer goes, and becomes Schwarzer Peter when its answer leaves.
    const std::pair<char, const char *> codes[] = {{'a', "daaaaa"}, {'b', "acxbbc"}, {'c', "bdbcxb"}, {'d', "cecxcd"},
                                                   {'e', "ebddde"}, {'x', "xxxxxx"}, {'r', "rrrrrr"}, {'f', "ffffff"}};
    for (const auto &[code, after] : codes) {
        for (std::size_t i = 0; i < std::size(moves); ++i)
            QTest::addRow("%c, %s", code, moves[i].second) << QChar(code) << moves[i].first << QChar(after[i]);
    }
}

void TestAnswers::rightAnswerFollowsItsAnswer()
{
    QFETCH(QChar, code);
    QFETCH(TAnswerMove, move);
    QFETCH(QChar, after);
    TWindowFixture f;
    f.Install(Document(2, 0, FruitRecord(5, code.unicode())));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    switch (move) {
    case TAnswerMove::DragOneOntoFour:
        ClickAnswer(w, 0);
        Drag(w, RowCentre(w, 0), RowCentre(w, 3));
        break;
    case TAnswerMove::DragFiveOntoTwo:
        ClickAnswer(w, 4);
        Drag(w, RowCentre(w, 4), RowCentre(w, 1));
        break;
    case TAnswerMove::RemoveTwo:
        ClickAnswer(w, 1);
        QTest::mouseClick(w.DeleteAnswerButton, Qt::LeftButton);
        break;
    case TAnswerMove::RemoveFour:
        ClickAnswer(w, 3);
        QTest::keyClick(w.Answers, Qt::Key_Delete);
        break;
    case TAnswerMove::TakeBackThree: DoubleClickAnswer(w, 2); break;
    case TAnswerMove::AltUpOnThree:
        ClickAnswer(w, 2);
        QTest::keyClick(w.Answers, Qt::Key_Up, Qt::AltModifier);
        break;
    }
    // What the form shows is what the record gets.
    for (const TRightAnswerChoice &choice : kRightAnswerChoices)
        QCOMPARE((w.*choice.Button)->isChecked(), QChar(choice.Code) == after);
    // An answer taken back goes back to its place when the record is stored, and
    // the code with it.
    QVERIFY(f.Trigger(w.bernehmen1));
    QCOMPARE(QChar(w.QFile->Data.at(0).theletter), move == TAnswerMove::TakeBackThree ? code : after);
}

void TestAnswers::clipboardKeysInTheListLeaveTheClipboardAlone_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("Ctrl+C") << QKeySequence(Qt::CTRL | Qt::Key_C);
    QTest::newRow("Ctrl+Ins") << QKeySequence(Qt::CTRL | Qt::Key_Insert);
    QTest::newRow("Ctrl+X") << QKeySequence(Qt::CTRL | Qt::Key_X);
    QTest::newRow("Ctrl+V") << QKeySequence(Qt::CTRL | Qt::Key_V);
    QTest::newRow("Shift+Ins") << QKeySequence(Qt::SHIFT | Qt::Key_Insert);
}

void TestAnswers::clipboardKeysInTheListLeaveTheClipboardAlone()
{
    QFETCH(QKeySequence, keys);
    TWindowFixture f;
    f.Install(Document(1, 0, FruitRecord(3)));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    QApplication::clipboard()->setText(QStringLiteral("vorher"));
    ClickAnswer(w, 1);
    QCOMPARE(QApplication::focusWidget(), w.Answers);
    QTest::keySequence(w.Answers, keys);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("vorher"));
    QCOMPARE(ListTexts(w), FruitTexts({0, 1, 2}));
    QVERIFY(!w.IsChanged());
}

enum class TStoreBy { NextRecord, GoTo, Save, Close, Exit, Undo, SearchHit, CheckWindowGoTo };
Q_DECLARE_METATYPE(TStoreBy)

void TestAnswers::entryFieldGoesBackWithTheRecord_data()
{
    QTest::addColumn<TStoreBy>("by");
    QTest::addColumn<bool>("typed");
    const std::pair<TStoreBy, const char *> ways[] = {
        {TStoreBy::NextRecord, "next record"},
        {TStoreBy::GoTo, "go to"},
        {TStoreBy::Save, "save"},
        {TStoreBy::Close, "close"},
        {TStoreBy::Exit, "exit"},
        {TStoreBy::Undo, "undo"},
        {TStoreBy::SearchHit, "search hit"},
        {TStoreBy::CheckWindowGoTo, "check window's go to"},
    };
    for (const auto &[by, name] : ways) {
        QTest::addRow("%s, taken back", name) << by << false;
        QTest::addRow("%s, typed", name) << by << true;
    }
}

void TestAnswers::entryFieldGoesBackWithTheRecord()
{
    QFETCH(TStoreBy, by);
    QFETCH(bool, typed);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("obst.mfd"));
    TMirolaFile doc;
    doc.Title = "Obst";
    doc.Data = {FruitRecord(4, u'c'), DistinctRecord(1), DistinctRecord(2)};
    doc.DatRec = doc.Data.at(0);
    doc.SaveToFile(path.toStdString(), ftTXT);
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    w.OpenDoc(path);
    QVERIFY(f.ShowActive());

    TMirolaDatensatz expected = FruitRecord(4, u'c');
    if (typed) {
        Type(w.AnswerEdit, QStringLiteral("Feigen ß"));
        expected.Answers[4] = "Feigen \xE1";
    } else {
        // The first answer holds bytes the window's code page lacks.
        DoubleClickAnswer(w, 0);
        QCOMPARE(w.AnswerEdit->text(), Shown(Fruits.at(0)));
    }

    bool fromFile = false;
    switch (by) {
    case TStoreBy::NextRecord: QVERIFY(f.Trigger(w.Nchster1)); break;
    case TStoreBy::GoTo:
        f.Seam->InputAnswers.push_back({true, QStringLiteral("3")});
        QVERIFY(f.Trigger(w.Gehezu1));
        break;
    case TStoreBy::Save:
        QVERIFY(f.Trigger(w.Speichern1));
        fromFile = true;
        break;
    case TStoreBy::Close:
        f.Seam->DlgAnswers.push_back(TModalResult::mrYes);
        QVERIFY(f.Trigger(w.Schlieen1));
        QVERIFY(!w.IsFileLoaded());
        fromFile = true;
        break;
    case TStoreBy::Exit:
        f.Seam->DlgAnswers.push_back(TModalResult::mrYes);
        QVERIFY(w.close());
        fromFile = true;
        break;
    case TStoreBy::Undo:
        QVERIFY(f.Trigger(w.Rckgngig1));
        // Typed text stored is the step undo takes back, and redo brings back.
        if (typed) {
            QVERIFY(w.QFile->DatRec.Answers[4].empty());
            QVERIFY(f.Trigger(w.Wiederherstellen1));
        }
        break;
    case TStoreBy::SearchHit:
        f.Seam->DialogAnswers.push_back([](QDialog &dialog) {
            static_cast<TFindDialog &>(dialog).SuchTextComboBox->setEditText(QStringLiteral("Zeile 2 von 2"));
            return int(QDialog::Accepted);
        });
        QVERIFY(f.Trigger(w.Suchen1));
        QCOMPARE(w.QFile->Index, 1);
        break;
    case TStoreBy::CheckWindowGoTo:
        QVERIFY(f.Trigger(w.Fragenprfen1));
        emit w.CheckWindow()->RecordChosen(2);
        QCOMPARE(w.QFile->Index, 2);
        break;
    }
    QVERIFY(w.AnswerEdit->text().isEmpty());
    TMirolaFile back;
    if (fromFile)
        back.LoadFromFile(path.toStdString());
    const TMirolaDatensatz &stored = fromFile              ? back.Data.at(0)
                                     : w.QFile->Index == 0 ? w.QFile->DatRec
                                                           : w.QFile->Data.at(0);
    for (int slot = 0; slot < 5; ++slot)
        QCOMPARE(stored.Answers[slot].str(), expected.Answers[slot].str());
    QCOMPARE(stored.theletter, u'c');
    // The record shown next starts with an empty field, and so does the next document.
    if (!fromFile || by == TStoreBy::Save) {
        Type(w.AnswerEdit, QStringLiteral("Rest"));
        w.InstallDocument(DistinctDocument(2));
        QVERIFY(w.AnswerEdit->text().isEmpty());
        QVERIFY(!w.AddAnswerButton->isEnabled());
    }
}

enum class TBringBack { AddUnchanged, AddEdited, StoreEdited };
Q_DECLARE_METATYPE(TBringBack)

void TestAnswers::takenBackRightAnswerStaysRight_data()
{
    QTest::addColumn<TBringBack>("how");
    QTest::addColumn<int>("row");
    QTest::newRow("added unchanged") << TBringBack::AddUnchanged << 4;
    QTest::newRow("edited, added by Enter") << TBringBack::AddEdited << 4;
    QTest::newRow("edited, put back by storing") << TBringBack::StoreEdited << 1;
}

void TestAnswers::takenBackRightAnswerStaysRight()
{
    QFETCH(TBringBack, how);
    QFETCH(int, row);
    TWindowFixture f;
    f.Install(Document(2, 0, FruitRecord(5, u'b')));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    DoubleClickAnswer(w, 1);
    QVERIFY(MarkedRows(w).isEmpty());
    QString text = Shown(Fruits.at(1));
    if (how != TBringBack::AddUnchanged) {
        Type(w.AnswerEdit, QStringLiteral(" süß"));
        text += QStringLiteral(" süß");
    }
    if (how == TBringBack::StoreEdited)
        QVERIFY(f.Trigger(w.bernehmen1));
    else
        QTest::keyClick(w.AnswerEdit, Qt::Key_Return);
    QCOMPARE(w.Answers->item(row)->text(), text);
    QCOMPARE(MarkedRows(w), QList<int>{row});
    QCOMPARE(CheckedChoice(w), QString(QChar(u'A' + row)) + QStringLiteral("RadioButton"));
    QVERIFY(f.Trigger(w.bernehmen1));
    QCOMPARE(w.QFile->DatRec.theletter, char16_t(u'a' + row));
    QCOMPARE(OemToQString(w.QFile->DatRec.Answers[row].view()), text);
    if (how == TBringBack::AddUnchanged)
        QCOMPARE(w.QFile->DatRec.Answers[row].str(), Fruits.at(1));
}

void TestAnswers::entryFieldTextWithoutRoomIsNamed()
{
    TWindowFixture f;
    f.Install(Document(2, 0, FruitRecord(5, u'a')));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    Type(w.AnswerEdit, QStringLiteral("Feigen ä"));
    QVERIFY(w.IsChanged());
    QVERIFY(f.Trigger(w.Nchster1));
    QCOMPARE(w.HintPanel->text(), QStringLiteral("Antwort „Feigen ä“ verworfen: kein Platz für eine sechste Antwort."));
    QVERIFY(w.AnswerEdit->text().isEmpty());
    for (int slot = 0; slot < 5; ++slot)
        QCOMPARE(w.QFile->Data.at(0).Answers[slot].str(), Fruits.at(static_cast<std::size_t>(slot)));
}

void TestAnswers::editingInPlace_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<bool>("keep");
    QTest::newRow("F2, Enter") << true << true;
    QTest::newRow("F2, Escape") << true << false;
    QTest::newRow("second click, Enter") << false << true;
    QTest::newRow("second click, Escape") << false << false;
}

void TestAnswers::editingInPlace()
{
    QFETCH(bool, byKey);
    QFETCH(bool, keep);
    TWindowFixture f;
    f.Install(Document(2, 0, FruitRecord(3, u'b')));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    Type(w.AnswerEdit, QStringLiteral("halb"));
    ClickAnswer(w, 1);
    QVERIFY(AnswerEditor(w) == nullptr);
    if (byKey)
        QTest::keyClick(w.Answers, Qt::Key_F2);
    else
        ClickAnswer(w, 1);
    QTRY_VERIFY(AnswerEditor(w) != nullptr);
    QLineEdit *editor = AnswerEditor(w);
    QCOMPARE(editor->text(), Shown(Fruits.at(1)));
    QCOMPARE(editor->maxLength(), 34);
    editor->selectAll();
    Type(editor, QStringLiteral("Bananen ä ✓"));
    // As in the fields, a character the game lacks is named.
    QCOMPARE(w.HintPanel->text(), QStringLiteral("Das Zeichen „✓“ gibt es im Zeichensatz des Spiels nicht; es wird "
                                                 "als „?“ gespeichert."));
    QTest::keyClick(editor, keep ? Qt::Key_Return : Qt::Key_Escape);
    QTRY_VERIFY(AnswerEditor(w) == nullptr);

    const QString text = keep ? QStringLiteral("Bananen ä ?") : Shown(Fruits.at(1));
    QCOMPARE(ListTexts(w),
             QStringList({Shown(Fruits.at(0)), keep ? QStringLiteral("Bananen ä ✓") : text, Shown(Fruits.at(2))}));
    // The right answer stays with its answer; the edit is one step of the history,
    // and the entry field keeps what is being written there.
    QCOMPARE(MarkedRows(w), QList<int>{1});
    QCOMPARE(w.History()->count(), keep ? 1 : 0);
    QCOMPARE(w.AnswerEdit->text(), QStringLiteral("halb"));
    QCOMPARE(w.QFile->DatRec.theletter, u'b');
    QCOMPARE(OemToQString(w.QFile->DatRec.Answers[1].view()), text);
    QCOMPARE(w.QFile->DatRec.Answers[2].str(), Fruits.at(2));
    if (keep) {
        w.AnswerEdit->setText(QString());
        QVERIFY(f.Trigger(w.Rckgngig1));
        QCOMPARE(w.QFile->DatRec.Answers[1].str(), Fruits.at(1));
        QCOMPARE(ListTexts(w), FruitTexts({0, 1, 2}));
    }
}

void TestAnswers::doubleClickOpensNoEditor()
{
    TWindowFixture f;
    f.Install(Document(1, 0, FruitRecord(3)));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    ClickAnswer(w, 1);
    DoubleClickAnswer(w, 1);
    QCOMPARE(w.AnswerEdit->text(), Shown(Fruits.at(1)));
    QTest::qWait(QApplication::doubleClickInterval() + 200);
    QVERIFY(AnswerEditor(w) == nullptr);
    QCOMPARE(ListTexts(w), FruitTexts({0, 2}));
}

void TestAnswers::rightAnswerIsMarkedWhereItIs_data()
{
    QTest::addColumn<QChar>("code");
    QTest::addColumn<int>("row");  // -1: none
    QTest::addColumn<QString>("checked");
    QTest::newRow("c behind a gap") << QChar('c') << 1 << "BRadioButton";
    QTest::newRow("E behind two gaps") << QChar('E') << 2 << "CRadioButton";
    QTest::newRow("a before the gaps") << QChar('a') << 0 << "ARadioButton";
    QTest::newRow("b, an empty slot") << QChar('b') << -1 << "";
    QTest::newRow("Schwarzer Peter") << QChar('x') << -1 << "SchwarzerPeterRadioButton";
}

void TestAnswers::rightAnswerIsMarkedWhereItIs()
{
    QFETCH(QChar, code);
    QFETCH(int, row);
    QFETCH(QString, checked);
    TMirolaDatensatz rec = Record("Welche Stadt liegt in Österreich?", code.unicode(), u'B', {});
    rec.Answers[0] = "K\x94ln";
    rec.Answers[2] = "Linz";
    rec.Answers[4] = "Z\x81rich";
    TWindowFixture f;
    f.Install(Document(2, 0, rec));
    TKelmorFrm &w = *f.Frm;
    QCOMPARE(ListTexts(w), QStringList({QStringLiteral("Köln"), QStringLiteral("Linz"), QStringLiteral("Zürich")}));
    QCOMPARE(MarkedRows(w), row >= 0 ? QList<int>{row} : QList<int>{});
    QCOMPARE(CheckedChoice(w), checked);
    // Only looked at, the record keeps its code and its slots.
    w.Question2->setText(QStringLiteral("Zweite Zeile"));
    w.StoreRecord();
    QCOMPARE(w.QFile->DatRec.theletter, code.unicode());
    for (int slot = 0; slot < 5; ++slot)
        QCOMPARE(w.QFile->DatRec.Answers[slot].str(), rec.Answers[slot].str());
}

void TestAnswers::capitalCodeFollowsItsAnswer()
{
    TWindowFixture f;
    f.Install(Document(2, 0, FruitRecord(5, u'C')));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    QCOMPARE(MarkedRows(w), QList<int>{2});
    QVERIFY(w.CRadioButton->isChecked());
    // Stored untouched, or with an answer behind it removed, it keeps the letter as
    // written.
    w.StoreRecord();
    QCOMPARE(w.QFile->DatRec.theletter, u'C');
    ClickAnswer(w, 4);
    QTest::keyClick(w.Answers, Qt::Key_Delete);
    QVERIFY(f.Trigger(w.bernehmen1));
    QCOMPARE(w.QFile->DatRec.theletter, u'C');
    // Dragged, it takes its code along, written small.
    ClickAnswer(w, 2);
    Drag(w, RowCentre(w, 2), RowCentre(w, 0));
    QCOMPARE(MarkedRows(w), QList<int>{0});
    QVERIFY(w.ARadioButton->isChecked());
    QVERIFY(f.Trigger(w.bernehmen1));
    QCOMPARE(w.QFile->DatRec.theletter, u'a');
    QCOMPARE(w.QFile->DatRec.Answers[0].str(), Fruits.at(2));
    // A choice picked is written small too.
    w.QFile->DatRec.theletter = u'B';
    w.ShowRecord();
    QCOMPARE(MarkedRows(w), QList<int>{1});
    w.DRadioButton->click();
    QCOMPARE(MarkedRows(w), QList<int>{3});
    w.BRadioButton->click();
    w.StoreRecord();
    QCOMPARE(w.QFile->DatRec.theletter, u'b');
}

void TestAnswers::undoAfterEnterTakesTheAnswerOut()
{
    TWindowFixture f;
    f.Install(Document(2, 1, FruitRecord(2, u'a')));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    w.AnswerEdit->setFocus();
    Type(w.AnswerEdit, QStringLiteral("Feigen ö"));
    QTest::keyClick(w.AnswerEdit, Qt::Key_Return);
    QCOMPARE(ListTexts(w).size(), 3);
    QTest::keyClick(w.AnswerEdit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ListTexts(w), FruitTexts({0, 1}));
    QVERIFY(w.AnswerEdit->text().isEmpty());
    QTest::keyClick(w.AnswerEdit, Qt::Key_Return);
    QCOMPARE(ListTexts(w), FruitTexts({0, 1}));
    w.StoreRecord();
    QVERIFY(w.QFile->DatRec.Answers[2].empty());
}

void TestAnswers::fieldUndoneToItsShownTextLeavesNoMark_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("question line, Ctrl+Z") << "Question2" << false;
    QTest::newRow("question line, menu") << "Question2" << true;
    QTest::newRow("comment, Ctrl+Z") << "CommentEdit" << false;
    QTest::newRow("entry field, Ctrl+Z") << "AnswerEdit" << false;
}

void TestAnswers::fieldUndoneToItsShownTextLeavesNoMark()
{
    QFETCH(QString, field);
    QFETCH(bool, byMenu);
    TWindowFixture f;
    f.Install(DistinctDocument(3, 1));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    auto *edit = w.findChild<TEditField *>(field);
    edit->setFocus();
    const QString shown = edit->text();
    Type(edit, QStringLiteral("äh"));
    QVERIFY(w.IsChanged());
    QVERIFY(w.SaveButton->isEnabled());
    // The field's typing may take more than one step to undo.
    for (int i = 0; i < 3 && edit->isUndoAvailable(); ++i) {
        if (byMenu)
            QVERIFY(f.Trigger(w.Rckgngig1));
        else
            QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    }
    QCOMPARE(edit->text(), shown);
    QVERIFY(!w.IsChanged());
    QVERIFY(!w.SaveButton->isEnabled());
    // Redone, the edit is there again, and so is the mark.
    QTest::keyClick(edit, Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(w.IsChanged());
}

QTEST_MAIN(TestAnswers)
#include "tst_answers.moc"
