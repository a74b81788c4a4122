#include "aboutbox.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "designscale.h"
#include "dialogparts.h"
#include "fonts.h"
#include "platformseam.h"
#include "programicon.h"
#include "webpages.h"

using design::Scaled;
using design::ScaledRect;

namespace {

// The box is drawn at 144 pixels per inch, like the main window.
constexpr int kDesignFontPixels = 20;
constexpr int kDesignIconPixels = 88;
// The icon is drawn at its own size and centred in its frame, not stretched to it.
constexpr int kDesignPicturePixels = 72;

}  // namespace

TAboutBox::TAboutBox(TPlatformSeam &seam, QWidget *parent) : QDialog(parent), FSeam(seam)
{
    SetUpFixedDialog(*this, "AboutBox", QStringLiteral("Infos"), SansFont(Scaled(kDesignFontPixels)),
                     {Scaled(690), Scaled(540)});

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(ScaledRect(15, 21, 110, 419));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(Scaled(2));
    // The colour of a workspace behind documents, which Qt's own MDI area paints.
    Panel1->setBackgroundRole(QPalette::Dark);
    Panel1->setAutoFillBackground(true);
    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(ScaledRect(8, 8, kDesignIconPixels, kDesignIconPixels));
    ProgramIcon->setAlignment(Qt::AlignCenter);

    const auto label = [this](const char *name, const QString &text, QRect geometry) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(geometry);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return l;
    };
    ProductName = label("ProductName", QStringLiteral("Kelmor für Mirola"), ScaledRect(152, 21, 284, 41));
    QFont productFont = ArialFont(Scaled(35));
    productFont.setBold(true);
    ProductName->setFont(productFont);
    Version = label("Version", QStringLiteral("Version 1.2 für Windows (64-Bit)"), ScaledRect(165, 72, 369, 30));
    QFont versionFont = ArialFont(Scaled(24));
    versionFont.setItalic(true);
    Version->setFont(versionFont);
    Copyright = label("Copyright",
                      QStringLiteral("Copyright © 2005 brixlon. Kelmor ist der Frageneditor für das Quizspiel "
                                     "Mirola Classic."),
                      ScaledRect(152, 116, 498, 81));
    Copyright->setWordWrap(true);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    // Only the top edge of the design's bevel is drawn, so the frame is just as high
    // as its line.
    Bevel1->setGeometry(Scaled(156), Scaled(209), Scaled(156 + 498) - Scaled(156), 2);

    Comments = label("Comments",
                     QStringLiteral("Alle Rechte vorbehalten. Die Fragedateien, die Sie mit Kelmor schreiben, "
                                    "gehören Ihnen; Mirola Classic ist ein Spiel seiner Urheber."),
                     ScaledRect(152, 230, 484, 84));
    Comments->setWordWrap(true);
    Label2 = label("Label2",
                   QStringLiteral("Kelmor ist Freeware: Sie dürfen das Programm kostenlos benutzen und "
                                  "unverändert an andere weitergeben. Verkauf und Veränderung sind nicht erlaubt."),
                   ScaledRect(152, 312, 474, 140));
    Label2->setWordWrap(true);

    Button1 = MakePushButton(this, "Button1", QStringLiteral("&OK"), ScaledRect(480, 471, 177, 45));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    BitBtn1 = MakePushButton(this, "BitBtn1", QStringLiteral("Kelmor Webseite"), ScaledRect(26, 471, 196, 45));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Label1Click(BitBtn1); });
    BitBtn2 = MakePushButton(this, "BitBtn2", QStringLiteral("Mirola Classic Webseite"), ScaledRect(231, 471, 239, 45));
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(BitBtn2); });
    setTabOrder(Button1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    FormCreate();
}

void TAboutBox::FormCreate()
{
    setWindowTitle(QStringLiteral("Info über ") + ApplicationTitle());
    Version->setText(QStringLiteral("1.2.0 (64-Bit)"));
}

void TAboutBox::ShowProgramPicture()
{
    if (ProgramIcon->pixmap().isNull())
        ProgramIcon->setPixmap(KelmorPixmap(Scaled(kDesignPicturePixels), devicePixelRatioF()));
}

void TAboutBox::Label1Click(QObject *)
{
    FSeam.ShellOpen(kKelmorWebPage);
}

void TAboutBox::BitBtn2Click(QObject *)
{
    FSeam.ShellOpen(kMirolaWebPage);
}
