#include "finddialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "dialogparts.h"
#include "fonts.h"
#include "platformseam.h"

TFindDialog::TFindDialog(TPlatformSeam &seam, QWidget *parent) : QDialog(parent), FSeam(seam)
{
    SetUpFixedDialog(*this, "FindDialog", QStringLiteral("Text in der Datenbank suchen"), SansFont(11), {311, 203});

    const auto group = [this](const char *name, const QString &caption, QRect geometry, const QString &hint) {
        auto *g = new QGroupBox(caption, this);
        g->setObjectName(QLatin1String(name));
        g->setGeometry(geometry);
        g->setToolTip(hint);
        return g;
    };
    const auto check = [](const char *name, const QString &caption, QGroupBox *holder, int top, const QString &hint) {
        auto *c = new QCheckBox(caption, holder);
        c->setObjectName(QLatin1String(name));
        c->setGeometry(12, top, 120, 17);
        c->setChecked(true);
        c->setToolTip(hint);
        return c;
    };
    const auto radio = [](const char *name, const QString &caption, QGroupBox *holder, int top, const QString &hint) {
        auto *r = new QRadioButton(caption, holder);
        r->setObjectName(QLatin1String(name));
        r->setGeometry(12, top, 120, 17);
        r->setToolTip(hint);
        return r;
    };
    // The bottom row of buttons.
    const auto button = [this](const char *name, const QString &caption, int left) {
        return MakePushButton(this, name, caption, {left, 170, 75, 25});
    };

    SuchTextComboBox = new QComboBox(this);
    SuchTextComboBox->setObjectName(QStringLiteral("SuchTextComboBox"));
    SuchTextComboBox->setGeometry(80, 8, 223, 21);
    SuchTextComboBox->setEditable(true);
    // The texts searched before are kept by RememberSearch, newest first; Enter is the
    // OK button's. Completing a text as it is typed would search for what nobody typed.
    SuchTextComboBox->setInsertPolicy(QComboBox::NoInsert);
    SuchTextComboBox->setCompleter(nullptr);
    SuchTextComboBox->setToolTip(QStringLiteral("Geben Sie hier den Suchbegriff ein, \nnach dem Sie suchen wollen."));
    Label1 = new QLabel(QStringLiteral("&Suchen nach:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 12, 68, 13);
    Label1->setBuddy(SuchTextComboBox);

    GroupBox3 = group("GroupBox3", QStringLiteral("&Bereich"), {8, 40, 145, 121},
                      QStringLiteral("Hier können Sie den Bereich angeben,\nin dem nach Ihrem Suchbegriff gesucht\n"
                                     "werden soll."));
    FragetextCheckBox = check("FragetextCheckBox", QStringLiteral("Fragetext"), GroupBox3, 26,
                              QStringLiteral("Alle Fragen durchsuchen"));
    KommentareCheckBox = check("KommentareCheckBox", QStringLiteral("Kommentare"), GroupBox3, 54,
                               QStringLiteral("Alle Kommentare durchsuchen"));
    AntwortenCheckBox = check("AntwortenCheckBox", QStringLiteral("Antworten"), GroupBox3, 82,
                              QStringLiteral("Alle Antworten durchsuchen"));

    GroupBox1 = group("GroupBox1", QStringLiteral("Richtung"), {160, 40, 143, 58},
                      QStringLiteral("Gibt die Richtung an, in der\ndie Suche vorgehen soll."));
    VorwrtsRadioButton = radio("VorwrtsRadioButton", QStringLiteral("&Vorwärts"), GroupBox1, 17,
                               QStringLiteral("Von Vorne nach hinten suchen\n(Anfang bis Ende)"));
    RckwrtsRadioButton = radio("RckwrtsRadioButton", QStringLiteral("Rück&wärts"), GroupBox1, 36,
                               QStringLiteral("Von Hinten nach Vorne suchen\n(Ende bis Anfang)"));
    VorwrtsRadioButton->setChecked(true);

    GroupBox2 = group("GroupBox2", QStringLiteral("Beginn"), {160, 103, 143, 58},
                      QStringLiteral("Geben Sie hier an, von welcher\nPosition ab Sie suchen wollen."));
    AktuellePositionRadioButton =
        radio("AktuellePositionRadioButton", QStringLiteral("Aktuelle Position"), GroupBox2, 17,
              QStringLiteral("Suche von der aktuellen Position\nab bis zum Ende / Anfang\n(je nach Richtung)."));
    AnfangRadioButton = radio("AnfangRadioButton", QStringLiteral("Anfang"), GroupBox2, 36,
                              QStringLiteral("Sucht die ganze Datenbank ab."));
    AktuellePositionRadioButton->setChecked(true);

    Button1 = button("Button1", QStringLiteral("&OK"), 66);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    Button2 = button("Button2", QStringLiteral("&Abbrechen"), 147);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    Button3 = button("Button3", QStringLiteral("&Hilfe"), 228);
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(Button3); });

    setTabOrder(SuchTextComboBox, FragetextCheckBox);
    setTabOrder(FragetextCheckBox, KommentareCheckBox);
    setTabOrder(KommentareCheckBox, AntwortenCheckBox);
    setTabOrder(AntwortenCheckBox, VorwrtsRadioButton);
    setTabOrder(VorwrtsRadioButton, RckwrtsRadioButton);
    setTabOrder(RckwrtsRadioButton, AktuellePositionRadioButton);
    setTabOrder(AktuellePositionRadioButton, AnfangRadioButton);
    setTabOrder(AnfangRadioButton, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Button3);
}

TSearchOptions TFindDialog::Options() const
{
    TSearchOptions options;
    options.Text = SuchTextComboBox->currentText();
    options.Questions = FragetextCheckBox->isChecked();
    options.Comments = KommentareCheckBox->isChecked();
    options.Answers = AntwortenCheckBox->isChecked();
    options.Backward = RckwrtsRadioButton->isChecked();
    options.FromStart = AnfangRadioButton->isChecked();
    return options;
}

void TFindDialog::RememberSearch(const QString &text)
{
    if (text.isEmpty())
        return;
    for (int i = SuchTextComboBox->count() - 1; i >= 0; --i) {
        if (SuchTextComboBox->itemText(i) == text)
            SuchTextComboBox->removeItem(i);
    }
    SuchTextComboBox->insertItem(0, text);
    SuchTextComboBox->setCurrentIndex(0);
}

void TFindDialog::Button3Click(QObject *)
{
    FSeam.HelpCommand(HELP_CONTEXT, kSearchHelpTopic);
}

void TFindDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    SuchTextComboBox->setFocus(Qt::OtherFocusReason);
    FJustShown = true;
}

bool TFindDialog::event(QEvent *event)
{
    // Coming back to a window loses a line edit's selection on the way, so the text
    // is selected again once the form is active.
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate && FJustShown) {
        FJustShown = false;
        SuchTextComboBox->lineEdit()->selectAll();
    }
    return handled;
}
