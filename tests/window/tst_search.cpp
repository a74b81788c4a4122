// Finding text: the search form, Find with its areas, directions and starts, Find next
// through every hit, what a hit shows, and what the form keeps between showings.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "bevelpanel.h"
#include "editfield.h"
#include "finddialog.h"
#include "textedge.h"
#include "windowfixture.h"

namespace {

TMirolaDatensatz Quiz(std::initializer_list<std::string_view> questions, std::string_view comment,
                      std::initializer_list<std::string_view> answers)
{
    TMirolaDatensatz rec = Record("", u'x', u'A', answers);
    int line = 0;
    for (std::string_view question : questions)
        rec.Question[line++] = question;
    rec.Comment = comment;
    return rec;
}

// Texts in code page 850: 0x84 "ä", 0x8E "Ä", 0x94 "ö", 0x99 "Ö", 0x81 "ü", 0xE1 "ß".
std::unique_ptr<TMirolaFile> Atlas(int index)
{
    auto doc = std::make_unique<TMirolaFile>();
    doc->Data = {
        Quiz({"Wie hei\xE1t die Hauptstadt von \x99sterreich?"}, "Geografie", {"Wien", "Graz"}),
        Quiz({"Welcher Fluss flie\xE1t durch Wien?", "(Gro\xE1stadt an der Donau)"}, "Fl\x81sse",
             {"Donau", "Inn", "Wien"}),
        Quiz({"Was ist \x8EHNLICH wie \x84hnlich?"}, "Wien-Quiz", {"gleich"}),
        Quiz({"Wo steht der Stephansdom?", "", "Tipp: \x99sterreich"}, "Bauwerke", {"Wien", "Salzburg"}),
        Quiz({"Letzte Frage"}, "Ende", {"Linz"}),
    };
    doc->Index = index;
    doc->DatRec = doc->Data.at(static_cast<std::size_t>(index));
    return doc;
}

enum TArea { aQuestions = 1, aComments = 2, aAnswers = 4, aAll = 7 };
enum class TDirection { Forward, Backward };
enum class TBegin { CurrentRecord, WholeDocument };

// Fills the form as a user would and answers it with OK.
void QueueSearch(TScriptedSeam &seam, const QString &text, int areas = aAll, TDirection direction = TDirection::Forward,
                 TBegin begin = TBegin::CurrentRecord)
{
    seam.DialogAnswers.push_back([=](QDialog &dialog) {
        auto &form = static_cast<TFindDialog &>(dialog);
        form.SuchTextComboBox->setEditText(text);
        form.FragetextCheckBox->setChecked((areas & aQuestions) != 0);
        form.KommentareCheckBox->setChecked((areas & aComments) != 0);
        form.AntwortenCheckBox->setChecked((areas & aAnswers) != 0);
        (direction == TDirection::Backward ? form.RckwrtsRadioButton : form.VorwrtsRadioButton)->setChecked(true);
        (begin == TBegin::WholeDocument ? form.AnfangRadioButton : form.AktuellePositionRadioButton)->setChecked(true);
        return int(QDialog::Accepted);
    });
}

QString NotFound(const QString &text)
{
    return QStringLiteral("Der Suchbegriff \"%1\" wurde nicht gefunden.").arg(text);
}

TEditField *FieldOf(TKelmorFrm &w, int field)
{
    TEditField *const fields[] = {w.Question1, w.Question2, w.Question3, w.CommentEdit};
    return fields[field];
}

// Where the window shows the found text: the record, and the field with its
// selection, or the answer selected in the list; each with the focus.
struct TShown {
    int Record;
    int Field;
    int Start;
    QString Selected;
};

TShown WhatIsShown(TKelmorFrm &w)
{
    QWidget *focused = QApplication::focusWidget();
    if (focused == w.Answers)
        return {w.QFile->Index, sfAnswer1 + w.Answers->SelectedRow(), 0,
                w.Answers->currentItem() != nullptr ? w.Answers->currentItem()->text() : QString()};
    for (int field = sfQuestion1; field <= sfComment; ++field) {
        TEditField *edit = FieldOf(w, field);
        if (edit == focused)
            return {w.QFile->Index, field, edit->selectionStart(), edit->selectedText()};
    }
    return {w.QFile->Index, -1, -1, QString()};
}

#define COMPARE_SHOWN(actual, expected)                                                                                \
    do {                                                                                                               \
        const TShown a_ = (actual);                                                                                    \
        const TShown e_ = (expected);                                                                                  \
        QCOMPARE(a_.Record, e_.Record);                                                                                \
        QCOMPARE(a_.Field, e_.Field);                                                                                  \
        QCOMPARE(a_.Start, e_.Start);                                                                                  \
        QCOMPARE(a_.Selected, e_.Selected);                                                                            \
    } while (false)

}  // namespace

Q_DECLARE_METATYPE(TDirection)
Q_DECLARE_METATYPE(TBegin)
Q_DECLARE_METATYPE(TSearchField)

class TestSearch : public QObject {
    Q_OBJECT
private slots:
    void findShowsTheFirstHit_data();
    void findShowsTheFirstHit();
    void findNextVisitsEveryHit_data();
    void findNextVisitsEveryHit();
    void theFormsTextsCountNotTheStoredOnes();
    void findNextWithoutASearchAsksWithTheForm();
    void withoutADocumentNothingIsSearched();
    void formKeepsItsChoicesAndTheTextsSearched();
    void formLooksAsDrawn();
    void helpButtonAsksForTheSearchTopic();
};

void TestSearch::findShowsTheFirstHit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("areas");
    QTest::addColumn<TDirection>("direction");
    QTest::addColumn<TBegin>("begin");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("record");  // -1: none found
    QTest::addColumn<TSearchField>("field");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("selected");
    const auto fwd = TDirection::Forward;
    const auto back = TDirection::Backward;
    const auto here = TBegin::CurrentRecord;
    const auto all = TBegin::WholeDocument;
    QTest::newRow("forward from the current record")
        << "wien" << int(aAll) << fwd << here << 1 << 1 << sfQuestion1 << 27 << "Wien";
    QTest::newRow("forward from the start") << "wien" << int(aAll) << fwd << all << 2 << 0 << sfAnswer1 << 0 << "Wien";
    QTest::newRow("backward from the current record")
        << "wien" << int(aAll) << back << here << 2 << 2 << sfComment << 0 << "Wien";
    QTest::newRow("backward from the end") << "wien" << int(aAll) << back << all << 0 << 3 << sfAnswer1 << 0 << "Wien";
    QTest::newRow("questions alone") << "WIEN" << int(aQuestions) << fwd << all << 4 << 1 << sfQuestion1 << 27
                                     << "Wien";
    QTest::newRow("comments alone") << "Wien" << int(aComments) << fwd << all << 0 << 2 << sfComment << 0 << "Wien";
    QTest::newRow("answers alone") << "wIEN" << int(aAnswers) << fwd << here << 1 << 1 << sfAnswer3 << 0 << "Wien";
    QTest::newRow("third question line") << "tipp" << int(aAll) << fwd << here << 0 << 3 << sfQuestion3 << 0 << "Tipp";
    QTest::newRow("capital umlaut finds small")
        << "österreich" << int(aQuestions) << back << all << 0 << 3 << sfQuestion3 << 6 << "Österreich";
    QTest::newRow("small umlaut finds capital, forward")
        << "ähnlich" << int(aAll) << fwd << here << 2 << 2 << sfQuestion1 << 8 << "ÄHNLICH";
    QTest::newRow("small umlaut finds small, backward")
        << "ähnlich" << int(aAll) << back << here << 2 << 2 << sfQuestion1 << 20 << "ähnlich";
    QTest::newRow("ß beside a capital") << "ßT" << int(aAll) << fwd << here << 1 << 1 << sfQuestion1 << 18 << "ßt";
    QTest::newRow("not before the current record")
        << "Graz" << int(aAll) << fwd << here << 1 << -1 << sfQuestion1 << 0 << "";
    QTest::newRow("not after the current record backward")
        << "Linz" << int(aAll) << back << here << 3 << -1 << sfQuestion1 << 0 << "";
    QTest::newRow("not in the areas chosen")
        << "Linz" << int(aQuestions | aComments) << fwd << all << 0 << -1 << sfQuestion1 << 0 << "";
}

void TestSearch::findShowsTheFirstHit()
{
    QFETCH(QString, text);
    QFETCH(int, areas);
    QFETCH(TDirection, direction);
    QFETCH(TBegin, begin);
    QFETCH(int, cursor);
    QFETCH(int, record);
    QFETCH(TSearchField, field);
    QFETCH(int, start);
    QFETCH(QString, selected);
    TWindowFixture f;
    f.Install(Atlas(cursor));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    w.Question2->setFocus();
    QueueSearch(*f.Seam, text, areas, direction, begin);
    if (record < 0)
        f.Seam->DlgAnswers.push_back(TModalResult::mrOK);
    QTest::keyClick(w.Question2, Qt::Key_F, Qt::ControlModifier);

    if (record < 0) {
        const TSeamCall &told = f.Seam->Calls.constLast();
        QCOMPARE(told.Kind, QStringLiteral("MessageDlg"));
        QCOMPARE(told.Text, NotFound(text));
        QCOMPARE(told.Type, TMsgDlgType::mtInformation);
        QCOMPARE(told.Buttons, TMsgDlgButtons(TMsgDlgBtn::mbOK));
        COMPARE_SHOWN(WhatIsShown(w), (TShown{cursor, sfQuestion2, -1, QString()}));
        return;
    }
    QCOMPARE(f.Seam->Calls.size(), 1);  // the form, and no message
    COMPARE_SHOWN(WhatIsShown(w), (TShown{record, field, start, selected}));
    QCOMPARE(w.IndexPanel->text(), QStringLiteral("Datensatz Nr. %1").arg(record + 1));
    QCOMPARE(w.Question1->text(), OemToQString(w.QFile->Data.at(static_cast<std::size_t>(record)).Question[0].view()));
    // Selecting the found answer is the program's doing, not the user's.
    QVERIFY(!w.DeleteAnswerButton->isEnabled());
}

void TestSearch::findNextVisitsEveryHit_data()
{
    QTest::addColumn<TDirection>("direction");
    QTest::addColumn<QList<int>>("order");  // indexes into the hits in document order
    QTest::newRow("forward") << TDirection::Forward << QList<int>{0, 1, 2, 3, 4, 5, 6};
    QTest::newRow("backward") << TDirection::Backward << QList<int>{6, 5, 4, 3, 2, 1, 0};
}

void TestSearch::findNextVisitsEveryHit()
{
    QFETCH(TDirection, direction);
    QFETCH(QList<int>, order);
    auto doc = std::make_unique<TMirolaFile>();
    doc->Data = {
        Quiz({"Abends ab acht", "", "Baba"}, "Labor", {"nein", "Kabel"}),
        Quiz({"nichts"}, "nichts", {"nichts"}),
        Quiz({"Stab"}, "", {"Abbau"}),
    };
    doc->Index = 1;
    doc->DatRec = doc->Data.at(1);
    const QList<TShown> hits = {
        {0, sfQuestion1, 0, "Ab"},  {0, sfQuestion1, 7, "ab"}, {0, sfQuestion3, 1, "ab"},  {0, sfComment, 1, "ab"},
        {0, sfAnswer2, 0, "Kabel"}, {2, sfQuestion1, 2, "ab"}, {2, sfAnswer1, 0, "Abbau"},
    };
    TWindowFixture f;
    f.Install(std::move(doc));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    QueueSearch(*f.Seam, QStringLiteral("AB"), aAll, direction, TBegin::WholeDocument);
    QVERIFY(f.Trigger(w.Suchen1));
    COMPARE_SHOWN(WhatIsShown(w), hits.at(order.at(0)));
    for (qsizetype step = 1; step < order.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
        COMPARE_SHOWN(WhatIsShown(w), hits.at(order.at(step)));
    }
    QCOMPARE(f.Seam->Calls.size(), 1);

    // Past the last hit: told so, and the last hit stays shown, also at the next try.
    for (int again = 0; again < 2; ++again) {
        f.Seam->DlgAnswers.push_back(TModalResult::mrOK);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
        QCOMPARE(f.Seam->Calls.constLast().Text, NotFound(QStringLiteral("AB")));
        COMPARE_SHOWN(WhatIsShown(w), hits.at(order.constLast()));
    }
}

void TestSearch::theFormsTextsCountNotTheStoredOnes()
{
    TWindowFixture f;
    f.Install(Atlas(1));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    w.Question2->setFocus();
    w.Question2->selectAll();
    QTest::keyClicks(w.Question2, QStringLiteral("Zaunk"));
    QTest::sendKeyEvent(QTest::Click, w.Question2, Qt::Key_Odiaeresis, QStringLiteral("ö"), Qt::NoModifier);
    QTest::keyClicks(w.Question2, QStringLiteral("nig"));
    w.CommentEdit->clear();
    w.AnswerEdit->setText(QStringLiteral("Spatz"));
    QTest::mouseClick(w.AddAnswerButton, Qt::LeftButton);

    QueueSearch(*f.Seam, QStringLiteral("ZAUNKÖNIG"));
    QVERIFY(f.Trigger(w.Suchen1));
    COMPARE_SHOWN(WhatIsShown(w), (TShown{1, sfQuestion2, 0, "Zaunkönig"}));
    QueueSearch(*f.Seam, QStringLiteral("spatz"), aAnswers);
    QVERIFY(f.Trigger(w.Suchen1));
    COMPARE_SHOWN(WhatIsShown(w), (TShown{1, sfAnswer4, 0, "Spatz"}));
    // The comment the record had is gone from the form, so it is not found there.
    QueueSearch(*f.Seam, QStringLiteral("flüsse"), aComments, TDirection::Forward, TBegin::WholeDocument);
    f.Seam->DlgAnswers.push_back(TModalResult::mrOK);
    QVERIFY(f.Trigger(w.Suchen1));
    QCOMPARE(f.Seam->Calls.constLast().Text, NotFound(QStringLiteral("flüsse")));

    // Going to a hit elsewhere takes the edits into the record left, as go to does.
    QueueSearch(*f.Seam, QStringLiteral("linz"));
    QVERIFY(f.Trigger(w.Suchen1));
    COMPARE_SHOWN(WhatIsShown(w), (TShown{4, sfAnswer1, 0, "Linz"}));
    const TMirolaDatensatz &left = w.QFile->Data.at(1);
    QCOMPARE(left.Question[1].str(), std::string("Zaunk\x94nig"));
    QVERIFY(left.Comment.empty());
    QCOMPARE(left.Answers[3].str(), std::string("Spatz"));
    QVERIFY(w.NextButton->isEnabled() == false && w.PreviousButton->isEnabled());
}

void TestSearch::findNextWithoutASearchAsksWithTheForm()
{
    TWindowFixture f;
    f.Install(Atlas(0));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    QueueSearch(*f.Seam, QStringLiteral("Wien"), aAnswers);
    QTest::keyClick(w.Question1, Qt::Key_F3);
    QCOMPARE(f.Seam->Calls.size(), 1);
    QCOMPARE(f.Seam->Calls.constFirst().Kind, QStringLiteral("ShowModal"));
    QCOMPARE(f.Seam->Calls.constFirst().Caption, QStringLiteral("Text in der Datenbank suchen"));
    COMPARE_SHOWN(WhatIsShown(w), (TShown{0, sfAnswer1, 0, "Wien"}));
    // From now on F3 searches on with the form's settings and asks nothing.
    QTest::keyClick(w.Answers, Qt::Key_F3);
    COMPARE_SHOWN(WhatIsShown(w), (TShown{1, sfAnswer3, 0, "Wien"}));
    QTest::keyClick(w.Answers, Qt::Key_F3);
    COMPARE_SHOWN(WhatIsShown(w), (TShown{3, sfAnswer1, 0, "Wien"}));
    QCOMPARE(f.Seam->Calls.size(), 1);
}

void TestSearch::withoutADocumentNothingIsSearched()
{
    TWindowFixture f;
    QVERIFY(f.ShowActive());
    QueueSearch(*f.Seam, QStringLiteral("Wien"));
    QTest::keyClick(f.Frm.get(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(f.Seam->Calls.size(), 1);
    QTest::keyClick(f.Frm.get(), Qt::Key_F3);
    QCOMPARE(f.Seam->Calls.size(), 1);

    // Nor with no area chosen, or no text.
    f.Install(Atlas(2));
    QueueSearch(*f.Seam, QStringLiteral("Wien"), 0, TDirection::Forward, TBegin::WholeDocument);
    QVERIFY(f.Trigger(f.Frm->Suchen1));
    QueueSearch(*f.Seam, QString(), aAll, TDirection::Forward, TBegin::WholeDocument);
    QVERIFY(f.Trigger(f.Frm->Suchen1));
    QCOMPARE(f.Seam->Calls.size(), 3);
    QCOMPARE(f.Frm->QFile->Index, 2);
}

void TestSearch::formKeepsItsChoicesAndTheTextsSearched()
{
    TWindowFixture f;
    f.Install(Atlas(0));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    QList<TFindDialog *> shown;
    TSearchOptions first;
    f.Seam->DialogAnswers.push_back([&shown, &first](QDialog &dialog) {
        auto &form = static_cast<TFindDialog &>(dialog);
        shown << &form;
        first = form.Options();
        form.SuchTextComboBox->setEditText(QStringLiteral("Inn"));
        form.KommentareCheckBox->setChecked(false);
        form.RckwrtsRadioButton->setChecked(true);
        form.AnfangRadioButton->setChecked(true);
        return int(QDialog::Rejected);
    });
    QVERIFY(f.Trigger(w.Suchen1));
    f.Seam->DialogAnswers.push_back([&shown](QDialog &dialog) {
        auto &form = static_cast<TFindDialog &>(dialog);
        shown << &form;
        return int(QDialog::Accepted);
    });
    QVERIFY(f.Trigger(w.Suchen1));
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0), shown.at(1));
    // The first showing offers every area, forward from the current record.
    QVERIFY(first.Text.isEmpty() && first.Questions && first.Comments && first.Answers);
    QVERIFY(!first.Backward && !first.FromStart);
    TFindDialog &form = *shown.at(0);
    QVERIFY(form.FragetextCheckBox->isChecked() && !form.KommentareCheckBox->isChecked() &&
            form.AntwortenCheckBox->isChecked());
    QVERIFY(form.RckwrtsRadioButton->isChecked() && !form.VorwrtsRadioButton->isChecked());
    QVERIFY(form.AnfangRadioButton->isChecked() && !form.AktuellePositionRadioButton->isChecked());
    // Backward from the end, without the comments: the answer "Inn" of the second record.
    COMPARE_SHOWN(WhatIsShown(w), (TShown{1, sfAnswer2, 0, "Inn"}));

    for (const char *text : {"Inn", "Graz", "Inn", "Linz", "Graz"}) {
        QueueSearch(*f.Seam, QString::fromLatin1(text), aAll, TDirection::Forward, TBegin::WholeDocument);
        QVERIFY(f.Trigger(w.Suchen1));
    }
    QStringList offered;
    for (int i = 0; i < form.SuchTextComboBox->count(); ++i)
        offered << form.SuchTextComboBox->itemText(i);
    QCOMPARE(offered, (QStringList{"Graz", "Linz", "Inn"}));
    QCOMPARE(form.SuchTextComboBox->currentText(), QStringLiteral("Graz"));
}

void TestSearch::formLooksAsDrawn()
{
    TWindowFixture f;
    f.Install(Atlas(0));
    TFindDialog *form = nullptr;
    f.Seam->DialogAnswers.push_back([&form](QDialog &dialog) {
        form = static_cast<TFindDialog *>(&dialog);
        return int(QDialog::Rejected);
    });
    QVERIFY(f.Trigger(f.Frm->Suchen1));
    QVERIFY(form != nullptr);
    QCOMPARE(form->windowTitle(), QStringLiteral("Text in der Datenbank suchen"));
    QCOMPARE(form->size(), QSize(311, 203));
    QCOMPARE(form->GroupBox3->title(), QStringLiteral("&Bereich"));
    QCOMPARE(
        form->GroupBox3->toolTip(),
        QStringLiteral("Hier können Sie den Bereich angeben,\nin dem nach Ihrem Suchbegriff gesucht\nwerden soll."));
    QCOMPARE(form->AktuellePositionRadioButton->toolTip(),
             QStringLiteral("Suche von der aktuellen Position\nab bis zum Ende / Anfang\n(je nach Richtung)."));
    QCOMPARE(form->SuchTextComboBox->toolTip(),
             QStringLiteral("Geben Sie hier den Suchbegriff ein, \nnach dem Sie suchen wollen."));
    // Every control lies inside the client area and its group, and none overlaps
    // another of the same holder.
    for (QWidget *holder : {static_cast<QWidget *>(form), static_cast<QWidget *>(form->GroupBox1),
                            static_cast<QWidget *>(form->GroupBox2), static_cast<QWidget *>(form->GroupBox3)}) {
        const QList<QWidget *> controls = holder->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (QWidget *a : controls) {
            QVERIFY2(holder->rect().contains(a->geometry()), qPrintable(a->objectName()));
            for (QWidget *b : controls)
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + QLatin1Char('/') + b->objectName()));
        }
    }

    // Shown, it has the text field focused with its text selected; Enter is OK, Esc
    // Abbrechen.
    form->SuchTextComboBox->setEditText(QStringLiteral("Wien"));
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form));
    QCOMPARE(QApplication::focusWidget(), form->SuchTextComboBox);
    QCOMPARE(form->SuchTextComboBox->lineEdit()->selectedText(), QStringLiteral("Wien"));
    form->KommentareCheckBox->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(form->result(), int(QDialog::Accepted));
    // Each showing starts in the text field, wherever the focus was left.
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form));
    QCOMPARE(QApplication::focusWidget(), form->SuchTextComboBox);
    QCOMPARE(form->SuchTextComboBox->lineEdit()->selectedText(), QStringLiteral("Wien"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(form->result(), int(QDialog::Rejected));
    QVERIFY(!form->isVisible());
}

void TestSearch::helpButtonAsksForTheSearchTopic()
{
    TWindowFixture f;
    TFindDialog *form = nullptr;
    f.Seam->DialogAnswers.push_back([&form](QDialog &dialog) {
        form = static_cast<TFindDialog *>(&dialog);
        QTest::mouseClick(form->Button3, Qt::LeftButton);
        return int(QDialog::Rejected);
    });
    QVERIFY(f.Trigger(f.Frm->Suchen1));
    QCOMPARE(f.Seam->HelpCommands.size(), 1);
    QCOMPARE(f.Seam->HelpCommands.constFirst().first, unsigned(HELP_CONTEXT));
    QCOMPARE(f.Seam->HelpCommands.constFirst().second.toString(), QStringLiteral("Suchen"));
}

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
