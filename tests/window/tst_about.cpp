// The about box and its web buttons, the offer to open the editor's web page, the
// program's icon, and the commands that do nothing.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "aboutbox.h"
#include "designscale.h"
#include "programicon.h"
#include "webpages.h"
#include "windowfixture.h"

namespace {

// The same picture: what the user sees, compared pixel by pixel.
bool SamePicture(const QPixmap &a, const QPixmap &b)
{
    return !a.isNull() &&
           a.toImage().convertToFormat(QImage::Format_ARGB32) == b.toImage().convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void aboutBoxShowsTheProgramAndKeepsOpenForTheWeb();
    void webOfferOpensThePageOnlyOnYes_data();
    void webOfferOpensThePageOnlyOnYes();
    void commandsThatDoNothingLeaveTheirMarks();
    void windowCarriesTheProgramIcon();
};

void TestAbout::initTestCase()
{
    QApplication::setApplicationName(QStringLiteral("Kelmor für Mirola Classic"));
}

void TestAbout::aboutBoxShowsTheProgramAndKeepsOpenForTheWeb()
{
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    w.AboutBox = new TAboutBox(w.Seam(), &w);  // as start-up makes it, after the window
    QVERIFY(f.ShowActive());

    QStringList seen;
    const auto look = [&f, &seen](QDialog &dialog) {
        auto &box = static_cast<TAboutBox &>(dialog);
        seen << box.windowTitle() << box.Version->text();
        if (!SamePicture(box.ProgramIcon->pixmap(), KelmorPixmap(48, box.devicePixelRatioF())))
            seen << QStringLiteral("no program icon");
        box.show();
        if (!QTest::qWaitForWindowExposed(&box))
            return int(QDialog::Rejected);
        QTest::mouseClick(box.BitBtn1, Qt::LeftButton);
        seen << (box.isVisible() ? QStringLiteral("open") : QStringLiteral("closed"));
        QTest::mouseClick(box.BitBtn2, Qt::LeftButton);
        seen << (box.isVisible() ? QStringLiteral("open") : QStringLiteral("closed"));
        seen << f.Seam->OpenedUrls;
        QTest::mouseClick(box.Button1, Qt::LeftButton);
        seen << (box.isVisible() ? QStringLiteral("open") : QStringLiteral("closed"));
        return box.result();
    };
    f.Seam->DialogAnswers.push_back(look);
    QTest::keyClick(&w, Qt::Key_Y, Qt::AltModifier);
    QCOMPARE(seen, (QStringList{"Info über Kelmor für Mirola Classic", "1.2.0 (64-Bit)", "open", "open", kKelmorWebPage,
                                kMirolaWebPage, "closed"}));
    QCOMPARE(f.Seam->Calls.constLast().Text, QStringLiteral("AboutBox"));

    // The same box every time, in both window states.
    f.Install(DistinctDocument(1));
    QDialog *shown = nullptr;
    f.Seam->DialogAnswers.push_back([&shown](QDialog &dialog) {
        shown = &dialog;
        return int(QDialog::Accepted);
    });
    QVERIFY(f.Trigger(w.Infober1));
    QCOMPARE(shown, w.AboutBox);
    QCOMPARE(w.AboutBox->size(), QSize(460, 360));  // 690 by 540 at 144 pixels per inch
    QCOMPARE(w.AboutBox->Button1->geometry(), QRect(320, 314, 118, 30));
}

enum class TAnswer { Yes, No };
Q_DECLARE_METATYPE(TAnswer)

void TestAbout::webOfferOpensThePageOnlyOnYes_data()
{
    QTest::addColumn<TAnswer>("answer");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("yes") << TAnswer::Yes << false << QStringList{kKelmorWebPage};
    QTest::newRow("no") << TAnswer::No << true << QStringList{};
}

void TestAbout::webOfferOpensThePageOnlyOnYes()
{
    QFETCH(TAnswer, answer);
    QFETCH(bool, loaded);
    QFETCH(QStringList, opened);
    TWindowFixture f;
    if (loaded)
        f.Install(DistinctDocument(2));
    f.Seam->DlgAnswers.push_back(answer == TAnswer::Yes ? TModalResult::mrYes : TModalResult::mrNo);
    QVERIFY(f.Trigger(f.Frm->WeitereInfosundUpdates1));
    QCOMPARE(f.Seam->Calls.size(), 1);
    const TSeamCall &question = f.Seam->Calls.constFirst();
    QCOMPARE(question.Text,
             QStringLiteral("Möchten Sie sich jetzt über Ihren lokalen Provider\rmit der Kelmor-Webseite verbinden?"));
    QCOMPARE(question.Type, TMsgDlgType::mtConfirmation);
    QCOMPARE(question.Buttons, TMsgDlgBtn::mbYes | TMsgDlgBtn::mbNo);
    QCOMPARE(f.Seam->OpenedUrls, opened);
    QVERIFY(f.Frm->WeitereInfosundUpdates1->property("Hint").toString().endsWith(kKelmorWebPage));
}

void TestAbout::commandsThatDoNothingLeaveTheirMarks()
{
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    f.Install(DistinctDocument(3, 1));
    const auto marks = [&w] {
        QList<bool> checked;
        for (QAction *item : {w.Symbolleiste1, w.Statusleiste1, w.Deutsch1, w.English1, w.Francais1})
            checked << item->isChecked();
        return checked;
    };
    const QList<bool> before = marks();
    QCOMPARE(before, (QList<bool>{true, true, true, false, false}));
    // As a click does: the item's mark toggles, then its command runs.
    for (QAction *item : {w.Symbolleiste1, w.Statusleiste1, w.English1, w.Francais1, w.Deutsch1}) {
        item->trigger();
        QCOMPARE(marks(), before);
    }
    QVERIFY(f.Seam->Calls.isEmpty());
    QVERIFY(!w.IsChanged());
    QCOMPARE(w.QFile->Index, 1);
}

void TestAbout::windowCarriesTheProgramIcon()
{
    TWindowFixture f;
    QVERIFY(SamePicture(f.Frm->windowIcon().pixmap(32), KelmorPixmap(32)));
    // Drawn, not blank: the sheet's outline is there at the icon's edge.
    const QImage icon = KelmorPixmap(64).toImage();
    QVERIFY(qAlpha(icon.pixel(9, 32)) > 0);
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
