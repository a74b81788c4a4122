#include "neuedatdlg.h"

#include <algorithm>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogparts.h"
#include "fonts.h"
#include "platformseam.h"
#include "statistics.h"

namespace {

constexpr int kFieldMaxLength = 36;
// The dialog with its statistics: the group box and as much room below it as the
// buttons keep from the right edge.
constexpr int kHeightWithStatistics = 192 + 126 + 16;

// The limit holds for typing only: a longer text that the program puts in is shown
// whole, and the user may shorten it but not lengthen it.
void LimitTyping(QLineEdit *field)
{
    field->setMaxLength(kFieldMaxLength);
    QObject::connect(field, &QLineEdit::textChanged, field, [field](const QString &text) {
        field->setMaxLength(std::max<int>(kFieldMaxLength, static_cast<int>(text.size())));
    });
}

}  // namespace

void TNeueDatDlg::SetFieldText(QLineEdit *field, const QString &text)
{
    field->setMaxLength(std::max<int>(kFieldMaxLength, static_cast<int>(text.size())));
    field->setText(text);
}

TNeueDatDlg::TNeueDatDlg(TPlatformSeam &seam, QWidget *parent) : QDialog(parent), FSeam(seam)
{
    SetUpFixedDialog(*this, "NeueDatDlg", QStringLiteral("Neue Mirola-Datei"), SansFont(13), {466, 184});

    const auto label = [this](const char *name, const QString &caption, QRect geometry, QWidget *holder) {
        auto *l = new QLabel(caption, holder);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(geometry);
        return l;
    };
    const auto edit = [this](const char *name, const QString &text, int top) {
        auto *e = new QLineEdit(text, this);
        e->setObjectName(QLatin1String(name));
        e->setGeometry(38, top, 299, 25);
        LimitTyping(e);
        return e;
    };

    // The access letter of "&Titel" belongs to no field, so it is drawn but moves no
    // focus.
    Label1 = label("Label1", QStringLiteral("<u>T</u>itel (maximal 36 Zeichen):"), {19, 19, 153, 17}, this);
    Label1->setTextFormat(Qt::RichText);
    TitleEdit = edit("TitleEdit", QStringLiteral("Rumpelstilzchens fiese Fragen"), 38);
    Label2 = label("Label2", QStringLiteral("Autoren-Info:"), {19, 67, 76, 17}, this);
    AutorInfoEdit = edit("AutorInfoEdit", QStringLiteral("Rotkäppchen und der Wolf"), 86);
    Label3 = label("Label3", QStringLiteral("Kopierrechte:"), {19, 115, 78, 17}, this);
    CopyrightInfoEdit = edit("CopyrightInfoEdit", QStringLiteral("(c) 1855 by the Orlun-Brothers"), 134);
    // The stand-in font runs a little wider than the one the dialog was drawn with; a
    // caption must not lose its last letters to that.
    for (QLabel *caption : {Label1, Label2, Label3})
        caption->resize(std::max(caption->width(), caption->sizeHint().width()), caption->height());

    Button1 = MakePushButton(this, "Button1", QStringLiteral("&OK"), {365, 38, 85, 26});
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    Button2 = MakePushButton(this, "Button2", QStringLiteral("&Abbrechen"), {365, 67, 85, 25});
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    Button3 = MakePushButton(this, "Button3", QStringLiteral("&Hilfe"), {365, 106, 85, 25});
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(Button3); });

    GroupBox1 = new QGroupBox(QStringLiteral("Statistische Daten"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(29, 192, 414, 126);
    Label4 = label("Label4", QStringLiteral("Anzahl Fragen: 0"), {19, 29, 385, 15}, GroupBox1);
    Label5 = label("Label5",
                   QStringLiteral("Schwierigkeit:   leicht 0 (0%), mittel 0 (0%), schwer 0 (0%), ultraschwer 0 (0%) "),
                   {19, 48, 385, 40}, GroupBox1);
    Label5->setWordWrap(true);
    Label6 = label("Label6", QStringLiteral("Anzahl Schwarze Peter: 0 (0%)"), {19, 96, 376, 16}, GroupBox1);

    setTabOrder(TitleEdit, AutorInfoEdit);
    setTabOrder(AutorInfoEdit, CopyrightInfoEdit);
    setTabOrder(CopyrightInfoEdit, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Button3);
    setTabOrder(Button3, GroupBox1);
    TitleEdit->setFocus();
}

void TNeueDatDlg::Button3Click(QObject *)
{
    FSeam.HelpCommand(HELP_CONTEXT, kNewFileHelpTopic);
}

void TNeueDatDlg::ShowStatistics(const TFileStatistics &figures)
{
    // Shares of the question count, rounded half up to whole numbers.
    const auto share = [&figures](int n) {
        const int percent = figures.Questions > 0 ? (200 * n + figures.Questions) / (2 * figures.Questions) : 0;
        return QStringLiteral("%1 (%2%)").arg(n).arg(percent);
    };
    Label4->setText(QStringLiteral("Anzahl Fragen: %1").arg(figures.Questions));
    Label5->setText(QStringLiteral("Schwierigkeit:   leicht %1, mittel %2, schwer %3, ultraschwer %4 ")
                        .arg(share(figures.Levels[0]), share(figures.Levels[1]), share(figures.Levels[2]),
                             share(figures.Levels[3])));
    Label6->setText(QStringLiteral("Anzahl Schwarze Peter: %1").arg(share(figures.SchwarzePeter)));
    setFixedSize(width(), kHeightWithStatistics);
}
