// TKelmorFrm: building the window. Every element is made here under its name, placed
// by its design coordinates and bound to the handler it runs; FormCreate then puts
// the window into its empty state.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSessionManager>
#include <QShortcut>
#include <QShortcutEvent>
#include <QStyle>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <optional>

#include "bevelpanel.h"
#include "designscale.h"
#include "editfield.h"
#include "fonts.h"
#include "hinttracker.h"
#include "kelmorfrm.h"
#include "pictures.h"
#include "programicon.h"
#include "qtplatformseam.h"

using design::Scaled;
using design::ScaledRect;

namespace {

constexpr int kDesignFontPixels = 21;

QFont WindowFont()
{
    return SansFont(Scaled(kDesignFontPixels));
}

QFont FieldFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(Scaled(kDesignFontPixels));
    return font;
}

void UseFieldFont(QWidget *widget)
{
    widget->setFont(FieldFont());
}

// A caption whose access letter is shown underlined but belongs to no field, so the
// letter moves no focus. Drawn as plain text: as rich text, each caption would build
// a text document of its own while the window starts.
class TCaptionLabel : public QLabel {
public:
    TCaptionLabel(const QString &caption, QWidget *parent) : QLabel(caption, parent) { setTextFormat(Qt::PlainText); }
    QSize sizeHint() const override
    {
        return fontMetrics().size(Qt::TextShowMnemonic, text()).grownBy(contentsMargins());
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        style()->drawItemText(&painter, contentsRect(),
                              QStyle::visualAlignment(layoutDirection(), alignment()) | Qt::TextShowMnemonic, palette(),
                              isEnabled(), text(), foregroundRole());
    }
};

// Qt keeps the access letters of hidden menus active: Alt and the letter would put
// the menu bar into its keyboard mode with nothing to show. Only shown menus answer.
class TMainMenuBar : public QMenuBar {
public:
    using QMenuBar::QMenuBar;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::Shortcut)
            return QMenuBar::event(event);
        const QKeySequence keys = static_cast<QShortcutEvent *>(event)->key();
        for (QAction *menu : actions()) {
            if (menu->isVisible() && menu->isEnabled() && QKeySequence::mnemonic(menu->text()) == keys) {
                setActiveAction(menu);
                break;
            }
        }
        return true;
    }
};

// The window's commands in the order of the main menu and then the edit popup: their
// menus, items and separators, each item with the toolbar button that runs the same
// command. An item shows its own picture, else its button's.
struct TToolbarTwin {
    QToolButton *TKelmorFrm::*Member;
    const char *Name;
    int Left;
    int Width;
    const char *Hint;
    TPicture Picture;
};

struct TCommandRow {
    QMenu *TKelmorFrm::*Menu = nullptr;  // the menu the row goes into; none: the menu bar
    // A row that is a menu of its own; without a caption, a context menu in no bar.
    QMenu *TKelmorFrm::*Submenu = nullptr;
    QAction *TKelmorFrm::*Item = nullptr;
    const char *Name = nullptr;
    const char *Caption = nullptr;  // none: a separator
    const char *Hint = nullptr;
    // Portable key texts, "; " between several; the menu shows the first.
    const char *Keys = nullptr;
    // Where the keys act: the main menu's anywhere in the window; the popup's only in
    // the edit fields, which hand them over while they have the focus and so put them
    // before the main menu's same keys.
    Qt::ShortcutContext Reach = Qt::WindowShortcut;
    void (TKelmorFrm::*Handler)(QObject *) = nullptr;
    int Tag = 0;
    std::optional<TPicture> Picture = std::nullopt;
    const TToolbarTwin *Button = nullptr;
};

using F = TKelmorFrm;

// clang-format off
constexpr TToolbarTwin kNewTwin{&F::NewButton, "NewButton", 9, 45, "Erstellt eine neue Datei", TPicture::New};
constexpr TToolbarTwin kOpenTwin{&F::OpenButton, "OpenButton", 54, 46, "Öffnet eine vorhandene Datei", TPicture::Open};
constexpr TToolbarTwin kSaveTwin{&F::SaveButton, "SaveButton", 100, 46, "Speichert die aktuelle Datei", TPicture::Save};
constexpr TToolbarTwin kCutTwin{&F::CutButton, "CutButton", 176, 47, "Schneidet Text in die Zwischenablage aus",
                               TPicture::Cut};
constexpr TToolbarTwin kCopyTwin{&F::CopyButton, "CopyButton", 223, 46, "Kopiert Text in die Zwischenablage",
                                TPicture::Copy};
constexpr TToolbarTwin kPasteTwin{&F::PasteButton, "PasteButton", 269, 48, "Fügt Text aus der Zwischenablage ein",
                                 TPicture::Paste};
constexpr TToolbarTwin kFilePropTwin{&F::FilePropButton, "FilePropButton", 347, 46, "Die Dateiinformationen ändern...",
                                    TPicture::FileProp};
constexpr TToolbarTwin kFirstTwin{&F::FirstButton, "FirstButton", 478, 45, "Springt zum ersten Datensatz",
                                 TPicture::First};
constexpr TToolbarTwin kPreviousTwin{&F::PreviousButton, "PreviousButton", 523, 48, "Springt zum vorigen Datensatz",
                                    TPicture::Previous};
constexpr TToolbarTwin kNextTwin{&F::NextButton, "NextButton", 571, 45, "Springt zum nächsten Datensatz",
                                TPicture::Next};
constexpr TToolbarTwin kLastTwin{&F::LastButton, "LastButton", 616, 46, "Springt zum letzten Datensatz",
                                TPicture::Last};
constexpr TToolbarTwin kAddTwin{&F::AddButton, "AddButton", 662, 47, "Fügt einen Datensatz hinzu", TPicture::Add};
constexpr TToolbarTwin kDeleteTwin{&F::DeleteButton, "DeleteButton", 709, 45, "Löscht den aktuellen Datensatz",
                                  TPicture::Delete};
constexpr TToolbarTwin kPostTwin{&F::PostButton, "PostButton", 754, 47, "Übernimmt die Änderungen der Datenbank",
                                TPicture::Post};
constexpr TToolbarTwin kHelpIndexTwin{&F::HelpIndexButton, "HelpIndexButton", 902, 44,
                                     "Sucht ein Stichwort in der Hilfe", TPicture::HelpIndex};
constexpr TToolbarTwin kHelpTwin{&F::HelpButton, "HelpButton", 946, 48, "Zeigt die Hilfethemen an", TPicture::Help};

const TCommandRow kCommandTable[] = {
    {.Submenu = &F::Datei1, .Name = "Datei1", .Caption = "&Datei"},
    {.Menu = &F::Datei1, .Item = &F::Neu1, .Name = "Neu1", .Caption = "&Neu",
     .Hint = "Erstellt eine neue Mirola-Fragedatei", .Keys = "Ctrl+N", .Handler = &F::Neu1Click, .Button = &kNewTwin},
    {.Menu = &F::Datei1, .Item = &F::ffnen1, .Name = "ffnen1", .Caption = "&Öffnen ...",
     .Hint = "Öffnet eine vorhandene Datei", .Keys = "Ctrl+O", .Handler = &F::ffnen1Click, .Button = &kOpenTwin},
    {.Menu = &F::Datei1, .Submenu = &F::Zuletztgeffnet1, .Name = "Zuletztgeffnet1", .Caption = "&Zuletzt geöffnet"},
    {.Menu = &F::Datei1, .Item = &F::Speichern1, .Name = "Speichern1", .Caption = "&Speichern",
     .Hint = "Speichert die Datei unter dem aktuellen Namen", .Keys = "Ctrl+S", .Handler = &F::Speichern1Click,
     .Button = &kSaveTwin},
    {.Menu = &F::Datei1, .Item = &F::Speichernunter1, .Name = "Speichernunter1", .Caption = "Speichern &unter...",
     .Hint = "Speichert die Datei unter anderem Namen", .Keys = "Ctrl+Shift+S", .Handler = &F::Speichernunter1Click},
    {.Menu = &F::Datei1, .Item = &F::N10, .Name = "N10"},
    {.Menu = &F::Datei1, .Item = &F::Exportieren1, .Name = "Exportieren1", .Caption = "&Exportieren...",
     .Hint = "Fragedatei ins Mirola-Format exportieren...", .Handler = &F::Exportieren1Click},
    {.Menu = &F::Datei1, .Item = &F::N2, .Name = "N2"},
    {.Menu = &F::Datei1, .Item = &F::Schlieen1, .Name = "Schlieen1", .Caption = "S&chließen",
     .Hint = "Schließt die aktuelle Datei", .Handler = &F::Schlieen1Click},
    {.Menu = &F::Datei1, .Item = &F::N1, .Name = "N1"},
    {.Menu = &F::Datei1, .Item = &F::Beenden1, .Name = "Beenden1", .Caption = "&Beenden", .Hint = "Beendet Kelmor",
     .Keys = "Alt+X; Ctrl+Q", .Handler = &F::Beenden1Click, .Picture = TPicture::Exit},

    {.Submenu = &F::Bearbeiten1, .Name = "Bearbeiten1", .Caption = "&Bearbeiten"},
    {.Menu = &F::Bearbeiten1, .Item = &F::Rckgngig1, .Name = "Rckgngig1", .Caption = "&Rückgängig",
     .Hint = "Macht die letzte Änderung rückgängig", .Keys = "Ctrl+Z", .Handler = &F::Rckgngig1Click,
     .Picture = TPicture::Undo},
    {.Menu = &F::Bearbeiten1, .Item = &F::Wiederherstellen1, .Name = "Wiederherstellen1",
     .Caption = "&Wiederherstellen", .Hint = "Stellt die zuletzt rückgängig gemachte Änderung wieder her",
     .Keys = "Ctrl+Y; Ctrl+Shift+Z", .Handler = &F::Wiederherstellen1Click, .Picture = TPicture::Redo},
    {.Menu = &F::Bearbeiten1, .Item = &F::N13, .Name = "N13"},
    {.Menu = &F::Bearbeiten1, .Item = &F::Ausschneiden1, .Name = "Ausschneiden1", .Caption = "&Ausschneiden",
     .Hint = "Schneidet Text in die Zwischenablage aus", .Keys = "Ctrl+X", .Handler = &F::Ausschneiden1Click,
     .Button = &kCutTwin},
    {.Menu = &F::Bearbeiten1, .Item = &F::Kopieren1, .Name = "Kopieren1", .Caption = "&Kopieren",
     .Hint = "Kopiert Text in die Zwischenablage", .Keys = "Ctrl+C", .Handler = &F::Kopieren1Click,
     .Button = &kCopyTwin},
    {.Menu = &F::Bearbeiten1, .Item = &F::Einfgen1, .Name = "Einfgen1", .Caption = "&Einfügen",
     .Hint = "Fügt Text aus der Zwischenablage ein", .Keys = "Ctrl+V", .Handler = &F::Einfgen1Click,
     .Button = &kPasteTwin},
    {.Menu = &F::Bearbeiten1, .Item = &F::N11, .Name = "N11"},
    {.Menu = &F::Bearbeiten1, .Item = &F::Dateiinformationen1, .Name = "Dateiinformationen1",
     .Caption = "&Kartei-Informationen...", .Hint = "Zeigt die Dateiinformationen an",
     .Handler = &F::Dateiinformationen1Click, .Picture = TPicture::FileInfo, .Button = &kFilePropTwin},

    {.Submenu = &F::Datensatz1, .Name = "Datensatz1", .Caption = "&Datensatz"},
    {.Menu = &F::Datensatz1, .Item = &F::Erster1, .Name = "Erster1", .Caption = "&Erster",
     .Hint = "Springt zum ersten Datensatz", .Keys = "Alt+1", .Handler = &F::DataControlClick, .Tag = rcFirst,
     .Button = &kFirstTwin},
    {.Menu = &F::Datensatz1, .Item = &F::Voriger1, .Name = "Voriger1", .Caption = "&Voriger",
     .Hint = "Springt zum vorigen Datensatz", .Keys = "Alt+V", .Handler = &F::DataControlClick, .Tag = rcPrior,
     .Button = &kPreviousTwin},
    {.Menu = &F::Datensatz1, .Item = &F::Nchster1, .Name = "Nchster1", .Caption = "&Nächster",
     .Hint = "Springt zum nächsten Datensatz", .Keys = "Alt+N", .Handler = &F::DataControlClick, .Tag = rcNext,
     .Button = &kNextTwin},
    {.Menu = &F::Datensatz1, .Item = &F::Letzter1, .Name = "Letzter1", .Caption = "&Letzter",
     .Hint = "Springt zum letzten Datensatz", .Keys = "Alt+L", .Handler = &F::DataControlClick, .Tag = rcLast,
     .Button = &kLastTwin},
    {.Menu = &F::Datensatz1, .Item = &F::Gehezu1, .Name = "Gehezu1", .Caption = "&Gehe zu...",
     .Hint = "Springt zu einem bestimmten Datensatz", .Keys = "Alt+0", .Handler = &F::Gehezu1Click},
    {.Menu = &F::Datensatz1, .Item = &F::N7, .Name = "N7"},
    {.Menu = &F::Datensatz1, .Item = &F::Suchen1, .Name = "Suchen1", .Caption = "&Suchen...",
     .Hint = "Sucht Text in der Datenbank", .Keys = "Ctrl+F", .Handler = &F::Suchen1Click},
    {.Menu = &F::Datensatz1, .Item = &F::Weitersuchen1, .Name = "Weitersuchen1", .Caption = "&Weitersuchen",
     .Hint = "Setzt die Suche fort", .Keys = "F3", .Handler = &F::Weitersuchen1Click},
    {.Menu = &F::Datensatz1, .Item = &F::Fragenprfen1, .Name = "Fragenprfen1", .Caption = "Fragen &prüfen ...",
     .Hint = "Listet die Fragen auf, die unvollständig oder doppelt sind", .Keys = "F7",
     .Handler = &F::Fragenprfen1Click, .Picture = TPicture::Check},
    {.Menu = &F::Datensatz1, .Item = &F::N3, .Name = "N3"},
    {.Menu = &F::Datensatz1, .Item = &F::Hinzufgen1, .Name = "Hinzufgen1", .Caption = "&Hinzufügen",
     .Hint = "Fügt einen Datensatz hinzu", .Handler = &F::DataControlClick, .Tag = rcAdd, .Button = &kAddTwin},
    {.Menu = &F::Datensatz1, .Item = &F::Entfernen1, .Name = "Entfernen1", .Caption = "&Entfernen",
     .Hint = "Entfernt den aktuellen Datensatz", .Handler = &F::DataControlClick, .Tag = rcDelete,
     .Button = &kDeleteTwin},
    {.Menu = &F::Datensatz1, .Item = &F::N6, .Name = "N6"},
    {.Menu = &F::Datensatz1, .Item = &F::bernehmen1, .Name = "bernehmen1", .Caption = "&Übernehmen",
     .Hint = "Übernimmt die Änderungen in die Datenbank", .Handler = &F::DataControlClick, .Tag = rcPost,
     .Button = &kPostTwin},

    {.Submenu = &F::Ansicht1, .Name = "Ansicht1", .Caption = "&Ansicht"},
    {.Menu = &F::Ansicht1, .Item = &F::Symbolleiste1, .Name = "Symbolleiste1", .Caption = "&Symbolleiste",
     .Hint = "bestimmt, ob die Symbolleiste angezeigt werden soll...", .Handler = &F::Symbolleiste1Click},
    {.Menu = &F::Ansicht1, .Item = &F::Statusleiste1, .Name = "Statusleiste1", .Caption = "Sta&tusleiste",
     .Hint = "bestimmt, ob die Statusleiste angezeigt werden soll...", .Handler = &F::Statusleiste1Click},

    {.Submenu = &F::N4, .Name = "N4", .Caption = "&?"},
    {.Menu = &F::N4, .Item = &F::InderHilfesuchen1, .Name = "InderHilfesuchen1", .Caption = "&In der Hilfe suchen ...",
     .Hint = "Ruft den Index der Hilfe auf...", .Handler = &F::InderHilfesuchen1Click, .Button = &kHelpIndexTwin},
    {.Menu = &F::N4, .Item = &F::Hilfeverwenden1, .Name = "Hilfeverwenden1", .Caption = "Hilfe &verwenden...",
     .Hint = "Ruft die Hilfe zur Hilfe auf...", .Handler = &F::Hilfeverwenden1Click},
    {.Menu = &F::N4, .Item = &F::N8, .Name = "N8"},
    {.Menu = &F::N4, .Item = &F::Hilfethemen1, .Name = "Hilfethemen1", .Caption = "&Hilfethemen",
     .Hint = "Ruft die Hilfethemen auf...", .Keys = "Alt+H", .Handler = &F::Hilfethemen1Click, .Button = &kHelpTwin},
    {.Menu = &F::N4, .Submenu = &F::SpracheLanguage1, .Name = "SpracheLanguage1", .Caption = "&Sprache (Language)"},
    {.Menu = &F::SpracheLanguage1, .Item = &F::Deutsch1, .Name = "Deutsch1", .Caption = "&Deutsch",
     .Handler = &F::SwitchLanguage},
    {.Menu = &F::SpracheLanguage1, .Item = &F::English1, .Name = "English1", .Caption = "&English",
     .Handler = &F::SwitchLanguage},
    {.Menu = &F::SpracheLanguage1, .Item = &F::Francais1, .Name = "Francais1", .Caption = "&Français",
     .Handler = &F::SwitchLanguage},
    {.Menu = &F::N4, .Item = &F::N12, .Name = "N12"},
    // The hint names the web page, which is added when the item is made.
    {.Menu = &F::N4, .Item = &F::WeitereInfosundUpdates1, .Name = "WeitereInfosundUpdates1",
     .Caption = "Infos und Updates ( im &WWW)...", .Handler = &F::WeitereInfosundUpdates1Click,
     .Picture = TPicture::Web},
    {.Menu = &F::N4, .Item = &F::N5, .Name = "N5"},
    {.Menu = &F::N4, .Item = &F::Infober1, .Name = "Infober1", .Caption = "&Info &über ...",
     .Hint = "Zeigt das Info-Fenster von Kelmor für Mirola an...", .Keys = "Alt+Y", .Handler = &F::Infober1Click},

    {.Submenu = &F::EditPopup1, .Name = "EditPopup1"},
    {.Menu = &F::EditPopup1, .Item = &F::Ausschneiden2, .Name = "Ausschneiden2", .Caption = "&Ausschneiden",
     .Keys = "Ctrl+X", .Reach = Qt::WidgetShortcut, .Handler = &F::Ausschneiden1Click},
    {.Menu = &F::EditPopup1, .Item = &F::Kopieren2, .Name = "Kopieren2", .Caption = "&Kopieren", .Keys = "Ctrl+C",
     .Reach = Qt::WidgetShortcut, .Handler = &F::Kopieren1Click},
    {.Menu = &F::EditPopup1, .Item = &F::Einfgen2, .Name = "Einfgen2", .Caption = "&Einfügen", .Keys = "Ctrl+V",
     .Reach = Qt::WidgetShortcut, .Handler = &F::Einfgen1Click},
    {.Menu = &F::EditPopup1, .Item = &F::N9, .Name = "N9"},
    {.Menu = &F::EditPopup1, .Item = &F::Lschen1, .Name = "Lschen1", .Caption = "&Löschen", .Keys = "Ctrl+D",
     .Reach = Qt::WidgetShortcut, .Handler = &F::Lschen1Click},
};
// clang-format on
}  // namespace

TKelmorFrm::TKelmorFrm(std::unique_ptr<TPlatformSeam> seam, QWidget *parent)
    : QMainWindow(parent), FSeam(std::move(seam))
{
    if (!FSeam)
        FSeam = std::make_unique<TQtPlatformSeam>(this);
    setObjectName(QStringLiteral("KelmorFrm"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    setProperty(kHelpContextProperty, kMainWindowHelpContext);
    setWindowIcon(KelmorIcon());

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(Scaled(998), Scaled(677));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    Panel1 = new TBevelPanel(TBevelPanel::bvRaised, TBevelPanel::bvLowered, 2, client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(ScaledRect(0, 0, 998, 59));
    Panel2 = new TBevelPanel(TBevelPanel::bvRaised, TBevelPanel::bvNone, 0, client);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(ScaledRect(0, 677 - 48, 998, 48));
    MainPanel = new TBevelPanel(TBevelPanel::bvRaised, TBevelPanel::bvLowered, 2, client);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->setGeometry(ScaledRect(0, 59, 998, 570));
    MainPanel->hide();

    BuildHistory();
    BuildToolbar();
    BuildRecordForm();
    BuildStatusLine();
    BuildMenus();
    BuildFileDialogs();
    BuildHiddenItemShortcuts();
    BuildHelpKeys();
    AcceptFileDrops();
    connect(
        qApp, &QGuiApplication::commitDataRequest, this,
        [this](QSessionManager &manager) {
            struct TSessionLogOff : TLogOffRequest {
                QSessionManager &Manager;
                explicit TSessionLogOff(QSessionManager &manager) : Manager(manager) {}
                bool AllowsInteraction() override { return Manager.allowsInteraction(); }
                void Cancel() override { Manager.cancel(); }
            } request(manager);
            SessionEnding(request);
        },
        Qt::DirectConnection);
}

TKelmorFrm::~TKelmorFrm() = default;

QToolButton *TKelmorFrm::MakeToolButton(const char *name, int left, int width, const QString &hint, QIcon icon,
                                        THandler handler, int tag)
{
    auto *button = new QToolButton(Panel1);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(ScaledRect(left, 9, width, 41));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(icon);
    const QList<QSize> sizes = icon.availableSizes();
    if (!sizes.isEmpty())
        button->setIconSize(sizes.constFirst());
    button->setToolTip(hint);
    SetHint(button, hint);
    if (tag != 0)
        button->setProperty(kTagProperty, tag);
    connect(button, &QToolButton::clicked, this, [this, button, handler] { RunCommand(handler, button); });
    return button;
}

void TKelmorFrm::BuildToolbar()
{
    for (const TCommandRow &row : kCommandTable) {
        if (row.Button == nullptr)
            continue;
        const TToolbarTwin &twin = *row.Button;
        this->*twin.Member = MakeToolButton(twin.Name, twin.Left, twin.Width, QString::fromUtf8(twin.Hint),
                                            PictureIcon(twin.Picture), row.Handler, row.Tag);
    }
    // Set alone, not by EnableCommand: these buttons start disabled while their menu
    // items start enabled.
    for (QToolButton *b : {SaveButton, CutButton, CopyButton, PasteButton, FirstButton, PreviousButton, NextButton,
                           LastButton, AddButton, DeleteButton, PostButton})
        b->setEnabled(false);
}

// The record form stays hidden until a document is open. Its fields get their font
// then, which spares the empty window's start-up a font file and a search for
// fallback fonts.
void TKelmorFrm::UseFieldFonts()
{
    if (FFieldFontsSet)
        return;
    FFieldFontsSet = true;
    for (TEditField *field : MainPanel->findChildren<TEditField *>())
        UseFieldFont(field);
    UseFieldFont(Answers);
}

TEditField *TKelmorFrm::MakeEditField(const char *name, int left, int top, int width, int height, int maxLength,
                                      const QString &hint)
{
    auto *field = new TEditField(MainPanel);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(ScaledRect(left, top, width, height));
    field->setMaxLength(maxLength);
    SetHint(field, hint);
    connect(field, &TEditField::MouseUp, this, [this, field] { Question1MouseUp(field); });
    connect(field, &TEditField::Exit, this, [this, field] { AnswerEditExit(field); });
    return field;
}

void TKelmorFrm::BuildRecordForm()
{
    LevelGroup = new QGroupBox(QStringLiteral("&Schwierigkeit (Level)"), MainPanel);
    LevelGroup->setObjectName(QStringLiteral("LevelGroup"));
    LevelGroup->setGeometry(ScaledRect(16, 16, 248, 187));
    SetHint(LevelGroup, QStringLiteral("Gibt die Schwierigkeit der Frage an (A-D)"));
    auto *levelColumn = new QVBoxLayout(LevelGroup);
    const QString levelCaptions[] = {QStringLiteral(" A  -  leicht"), QStringLiteral(" B  -  mittel"),
                                     QStringLiteral(" C  -  schwer"), QStringLiteral(" D  -  ultraschwer")};
    for (std::size_t i = 0; i < LevelItems.size(); ++i) {
        auto *item = new QRadioButton(levelCaptions[i], LevelGroup);
        item->setObjectName(QStringLiteral("LevelGroupItem%1").arg(i));
        levelColumn->addWidget(item);
        LevelItems[i] = item;
        connect(item, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !FShowingRecord)
                LevelPicked();
        });
    }
    {
        const QScopedValueRollback<bool> programSets(FShowingRecord, true);
        LevelItems[0]->setChecked(true);
    }

    const auto makeLabel = [this](const char *name, const QString &caption, int left, int top, int width, int height) {
        auto *label = new TCaptionLabel(caption, MainPanel);
        label->setObjectName(QLatin1String(name));
        label->setGeometry(ScaledRect(left, top, width, height));
        // A label is as wide as its caption in the font at hand, which need not be
        // the font it was designed with.
        label->resize(label->sizeHint().width(), label->height());
        return label;
    };
    Label1 = makeLabel("Label1", QStringLiteral("&Frage (maximal 3 Zeilen zu je 50 Zeichen):"), 278, 16, 388, 30);

    const QString questionHint = QStringLiteral("Hier den Text der Frage eingeben.");
    Question1 = MakeEditField("Question1", 293, 47, 682, 31, 50, questionHint);
    Question2 = MakeEditField("Question2", 293, 100, 682, 31, 50, questionHint);
    Question3 = MakeEditField("Question3", 293, 154, 682, 31, 50, questionHint);

    RightAnswerGroup = new QGroupBox(QStringLiteral("&Richtige Antwort:"), MainPanel);
    RightAnswerGroup->setObjectName(QStringLiteral("RightAnswerGroup"));
    RightAnswerGroup->setGeometry(ScaledRect(16, 215, 248, 342));
    SetHint(RightAnswerGroup, QStringLiteral("Gibt an, welche Antwort richtig ist"));
    const auto makeChoice = [this](const char *name, const QString &caption, int top, int width, int height) {
        auto *choice = new QRadioButton(caption, RightAnswerGroup);
        choice->setObjectName(QLatin1String(name));
        choice->setGeometry(ScaledRect(16, top, width, height));
        choice->setEnabled(false);
        return choice;
    };
    ARadioButton = makeChoice("ARadioButton", QStringLiteral(" ( a )"), 32, 203, 32);
    BRadioButton = makeChoice("BRadioButton", QStringLiteral(" ( b )"), 69, 203, 34);
    CRadioButton = makeChoice("CRadioButton", QStringLiteral(" ( c )"), 108, 203, 33);
    DRadioButton = makeChoice("DRadioButton", QStringLiteral(" ( d )"), 146, 203, 34);
    ERadioButton = makeChoice("ERadioButton", QStringLiteral(" ( e )"), 185, 203, 34);
    AllesRichtigRadioButton = makeChoice("AllesRichtigRadioButton", QStringLiteral(" Alles richtig"), 231, 203, 33);
    AllesFalschRadioButton = makeChoice("AllesFalschRadioButton", QStringLiteral(" Alles falsch"), 262, 203, 33);
    SchwarzerPeterRadioButton =
        makeChoice("SchwarzerPeterRadioButton", QStringLiteral(" Schwarzer Peter"), 293, 217, 34);
    for (const TRightAnswerChoice &choice : kRightAnswerChoices) {
        connect(this->*choice.Button, &QRadioButton::toggled, this, [this, code = choice.Code](bool on) {
            if (on && !FShowingRecord)
                RightAnswerPicked(code);
        });
    }
    {
        const QScopedValueRollback<bool> programSets(FShowingRecord, true);
        SchwarzerPeterRadioButton->setChecked(true);
    }

    Label2 = makeLabel("Label2", QStringLiteral("&Kommentar (maximal 34 Zeichen):"), 324, 215, 315, 30);
    CommentEdit = MakeEditField("CommentEdit", 338, 248, 578, 31, 35, QStringLiteral("Kommentar zur Frage (optional)"));
    Label3 = makeLabel("Label3", QStringLiteral("&Antwort(en) (bis zu fünf Antworten mit je maximal 34 Zeichen):"), 324,
                       309, 582, 30);
    AnswerEdit = MakeEditField("AnswerEdit", 338, 338, 578, 31, 34, QStringLiteral("Eingabefeld für neue Antwort"));

    AddAnswerButton = new QPushButton(MainPanel);
    AddAnswerButton->setObjectName(QStringLiteral("AddAnswerButton"));
    AddAnswerButton->setGeometry(ScaledRect(924, 338, 48, 46));
    AddAnswerButton->setIcon(PictureIcon(TPicture::AddAnswer));
    AddAnswerButton->setFocusPolicy(Qt::NoFocus);
    AddAnswerButton->setEnabled(false);
    SetHint(AddAnswerButton, QStringLiteral("Fügt die Antwort hinzu"));
    connect(AddAnswerButton, &QPushButton::clicked, this, [this] { AddAnswerButtonClick(AddAnswerButton); });

    Answers = new TAnswerList(MainPanel);
    Answers->setObjectName(QStringLiteral("Answers"));
    Answers->setGeometry(ScaledRect(338, 385, 578, 172));
    Answers->setSelectionMode(QAbstractItemView::SingleSelection);
    Answers->setSortingEnabled(false);
    SetHint(Answers, QStringLiteral("Liste der vorhandenen Antworten"));
    connect(Answers, &TAnswerList::Click, this, [this] { AnswersClick(Answers); });
    connect(Answers, &TAnswerList::DblClick, this, [this] { AnswersDblClick(Answers); });
    connect(Answers, &TAnswerList::KeyDown, this,
            [this](int key, Qt::KeyboardModifiers shift) { AnswersKeyDown(Answers, key, shift); });
    connect(Answers, &TAnswerList::MouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, int row) {
                AnswersMouseDown(Answers, button, shift, row);
            });
    connect(Answers, &TAnswerList::DragOver, this,
            [this](QObject *source, int row, bool &accept) { AnswersDragOver(Answers, source, row, accept); });
    connect(Answers, &TAnswerList::DragDrop, this,
            [this](QObject *source, int row) { AnswersDragDrop(Answers, source, row); });

    DeleteAnswerButton = new QPushButton(MainPanel);
    DeleteAnswerButton->setObjectName(QStringLiteral("DeleteAnswerButton"));
    DeleteAnswerButton->setGeometry(ScaledRect(924, 393, 48, 44));
    DeleteAnswerButton->setIcon(PictureIcon(TPicture::DeleteAnswer));
    DeleteAnswerButton->setFocusPolicy(Qt::NoFocus);
    DeleteAnswerButton->setEnabled(false);
    SetHint(DeleteAnswerButton, QStringLiteral("Entfernt die markierte Antwort aus der Liste"));
    connect(DeleteAnswerButton, &QPushButton::clicked, this, [this] { DeleteAnswerButtonClick(DeleteAnswerButton); });

    for (TEditField *field : {Question1, Question2, Question3, CommentEdit})
        connect(field, &QLineEdit::textChanged, this, [this, field] { CommentEditChange(field); });
    connect(AnswerEdit, &QLineEdit::textChanged, this, [this] { AnswerEditChange(AnswerEdit); });
    for (TEditField *field : {Question1, Question2, Question3, CommentEdit, AnswerEdit})
        connect(field, &TEditField::OwnUndoRedo, this, [this] { RecheckFormEdits(); });
    connect(Answers, &TAnswerList::AnswerEdited, this, [this] { AnswerEditedInPlace(); });
    connect(Answers, &TAnswerList::EditorTextEdited, this, [this](const QString &text) { NoteLostCharacter(text); });
    // Enter adds the typed answer, as the button beside the field does.
    connect(AnswerEdit, &QLineEdit::returnPressed, this, [this] { AddAnswerButton->click(); });

    // The form's tab order differs from the order in which its controls are made.
    QList<QWidget *> chain = {AnswerEdit, Answers};
    for (QRadioButton *item : LevelItems)
        chain.append(item);
    chain.append(CommentEdit);
    chain.append({ARadioButton, BRadioButton, CRadioButton, DRadioButton, ERadioButton, SchwarzerPeterRadioButton,
                  AllesRichtigRadioButton, AllesFalschRadioButton});
    chain.append({Question1, Question2, Question3});
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i), chain.at(i + 1));
}

bool TKelmorFrm::focusNextPrevChild(bool next)
{
    // Qt leaves a radio group's tab stop on the button that last had the focus, and
    // at first on every button. A keyboard user expects one stop per group, at its
    // choice, and the arrow keys within: so before each move the group offers its
    // focused button while the focus is inside (Tab then leaves the group), else its
    // checked one, else the first that can take the focus.
    QWidget *const focused = focusWidget();
    const auto offerOneStop = [focused](std::initializer_list<QRadioButton *> group) {
        QRadioButton *stop = nullptr;
        for (QRadioButton *choice : group) {
            if (choice == focused)
                stop = choice;
        }
        for (QRadioButton *choice : group) {
            if (stop == nullptr && choice->isChecked() && choice->isEnabled())
                stop = choice;
        }
        for (QRadioButton *choice : group) {
            if (stop == nullptr && choice->isEnabled())
                stop = choice;
        }
        for (QRadioButton *choice : group)
            choice->setFocusPolicy(choice == stop ? Qt::StrongFocus : Qt::ClickFocus);
    };
    offerOneStop({LevelItems[0], LevelItems[1], LevelItems[2], LevelItems[3]});
    offerOneStop({ARadioButton, BRadioButton, CRadioButton, DRadioButton, ERadioButton, SchwarzerPeterRadioButton,
                  AllesRichtigRadioButton, AllesFalschRadioButton});
    return QMainWindow::focusNextPrevChild(next);
}

void TKelmorFrm::BuildStatusLine()
{
    const auto makePanel = [this](const char *name, const QString &caption) {
        auto *panel = new TBevelPanel(TBevelPanel::bvNone, TBevelPanel::bvLowered, 2, Panel2);
        panel->setObjectName(QLatin1String(name));
        panel->setText(caption);
        return panel;
    };
    HintPanel = makePanel("HintPanel", QString());
    NumberOfPanel = makePanel("NumberOfPanel", QStringLiteral("Daten:0"));
    IndexPanel = makePanel("IndexPanel", QStringLiteral("Index:0"));
    LayoutStatusLine();
}

QAction *TKelmorFrm::MakeItem(QMenu *menu, const char *name, const QString &caption, const QString &hint,
                              THandler handler, int tag)
{
    auto *item = new QAction(caption, this);
    item->setObjectName(QLatin1String(name));
    if (!hint.isEmpty())
        SetHint(item, hint);
    if (tag != 0)
        item->setProperty(kTagProperty, tag);
    menu->addAction(item);
    if (handler != nullptr)
        Bind(item, handler);
    return item;
}

void TKelmorFrm::Bind(QAction *item, THandler handler)
{
    connect(item, &QAction::triggered, this, [this, item, handler] { RunCommand(handler, item); });
}

void TKelmorFrm::RunCommand(THandler handler, QObject *Sender)
{
    try {
        (this->*handler)(Sender);
    } catch (...) {
        if (!CommandErrorReport)
            throw;
        CommandErrorReport();
    }
}

QAction *TKelmorFrm::MakeSeparator(QMenu *menu, const char *name)
{
    QAction *separator = menu->addSeparator();
    separator->setObjectName(QLatin1String(name));
    return separator;
}

void TKelmorFrm::BuildMenus()
{
    MainMenu1 = new TMainMenuBar(this);
    setMenuBar(MainMenu1);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    for (const TCommandRow &row : kCommandTable) {
        QMenu *const parentMenu = row.Menu != nullptr ? this->*row.Menu : nullptr;
        const QString caption = QString::fromUtf8(row.Caption);
        if (row.Submenu != nullptr && row.Caption == nullptr) {
            QMenu *popup = new QMenu(this);
            popup->setObjectName(QLatin1String(row.Name));
            this->*row.Submenu = popup;
            continue;
        }
        if (row.Submenu != nullptr) {
            QMenu *menu = parentMenu != nullptr ? parentMenu->addMenu(caption) : MainMenu1->addMenu(caption);
            menu->setObjectName(QLatin1String(row.Name));
            menu->menuAction()->setObjectName(QStringLiteral("%1Item").arg(QLatin1String(row.Name)));
            this->*row.Submenu = menu;
            continue;
        }
        if (row.Caption == nullptr) {
            this->*row.Item = MakeSeparator(parentMenu, row.Name);
            continue;
        }
        QAction *item = MakeItem(parentMenu, row.Name, caption, QString::fromUtf8(row.Hint), row.Handler, row.Tag);
        if (row.Keys != nullptr) {
            item->setShortcuts(QKeySequence::listFromString(QLatin1String(row.Keys), QKeySequence::PortableText));
            item->setShortcutContext(row.Reach);
        }
        if (row.Picture) {
            // Drawn when the menu first opens, not while the window starts.
            item->setIcon(DeferredIcon([picture = *row.Picture] { return PictureIcon(picture); }));
        } else if (row.Button != nullptr) {
            item->setIcon((this->*row.Button->Member)->icon());
        }
        if (row.Button != nullptr)
            FTwins.emplace_back(item, this->*row.Button->Member);
        this->*row.Item = item;
    }
    SetHint(WeitereInfosundUpdates1, QStringLiteral("Kelmor-Webseite: ") + kKelmorWebPage);

    for (QAction *toggle : {Symbolleiste1, Statusleiste1}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    Ansicht1->menuAction()->setVisible(false);
    FLanguageGroup = new QActionGroup(this);
    FLanguageGroup->setExclusive(true);
    for (QAction *language : {Deutsch1, English1, Francais1}) {
        language->setCheckable(true);
        FLanguageGroup->addAction(language);
    }
    for (QAction *neverShown : {SpracheLanguage1->menuAction(), N12})
        neverShown->setVisible(false);
    for (TEditField *field : {Question1, Question2, Question3, CommentEdit, AnswerEdit})
        field->SetPopupMenu(EditPopup1);
}

void TKelmorFrm::BuildFileDialogs()
{
    OpenDialog1.Title = QStringLiteral("Mirola-Datei öffnen...");
    // The first entry's description names fewer patterns than it matches.
    OpenDialog1.Filter = QStringLiteral(
        "Mirola Fragetexte (*.mfd)|*.mfd;*.dat|Mirola RAF-Dateien (*.raf)|*.raf|CSV-Tabellen (*.csv)|*.csv|"
        "Alle Dateien (*.*)|*.*");
    OpenDialog1.Options = TOpenOption::ofHideReadOnly | TOpenOption::ofEnableSizing;

    // Save As and Export ask about replacing a file themselves, once and after their
    // other checks, so the dialogs do not.
    SaveDialog1.Options = {};

    SaveDialog2.Filter = QStringLiteral("Mirola Classic DOS-RAF (*.raf)|*.raf|Mirola 2 Windows-RAF (*.raf)|*.raf|"
                                        "CSV-Tabelle (*.csv)|*.csv");
    SaveDialog2.DefaultExt = QStringLiteral("*.RAF");
    SaveDialog2.Options = TOpenOption::ofHideReadOnly | TOpenOption::ofEnableSizing;
}

void TKelmorFrm::BuildHiddenItemShortcuts()
{
    // Qt drops the shortcut of an item that is hidden or sits in a hidden menu; these
    // stand in for it while the item is out of sight. The popup's keys need none: the
    // fields deliver them, and a window-wide stand-in would take the main menu's same
    // keys away.
    for (const TCommandRow &row : kCommandTable) {
        if (row.Keys == nullptr || row.Reach != Qt::WindowShortcut)
            continue;
        QAction *item = this->*row.Item;
        auto *shortcut = new QShortcut(this);
        shortcut->setKeys(item->shortcuts());
        shortcut->setObjectName(item->objectName() + QStringLiteral("Shortcut"));
        connect(shortcut, &QShortcut::activated, this, [item] {
            // Qt refuses to trigger a hidden item, so the item's own signal is raised.
            if (ItemEnabled(item))
                emit item->triggered(item->isChecked());
        });
        FHiddenItemShortcuts.push_back({item, shortcut});
    }
    SyncHiddenItemShortcuts();
}

void TKelmorFrm::FormCreate(const QList<QByteArray> &CommandLine)
{
    Deutsch1->setProperty(kTagProperty, kGermanLanguageTag);
    English1->setProperty(kTagProperty, kEnglishLanguageTag);
    Francais1->setProperty(kTagProperty, kFrenchLanguageTag);
    Deutsch1->setChecked(true);
    setWindowTitle(kStartupCaption);
    // Hints come on white; their text is made dark with it, as a dark scheme's light
    // hint text would not show on white.
    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, Qt::white);
    tips.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tips);
    SetIsFileLoaded(false);
    SetIsChanged(false);
    dokname = kUntitledName;

    FHintTracker = new THintTracker(this);
    FHintTracker->WatchMenuBar(MainMenu1);
    for (QMenu *menu : {Datei1, Zuletztgeffnet1, Bearbeiten1, Datensatz1, Ansicht1, N4, SpracheLanguage1, EditPopup1})
        FHintTracker->WatchMenu(menu);
    RefreshRecentFiles();
    connect(Zuletztgeffnet1, &QMenu::aboutToShow, this, &TKelmorFrm::RefreshRecentFiles);
    connect(FHintTracker, &THintTracker::HintChanged, this, [this] { AppHint(FHintTracker); });

    ProcessCommandLine(CommandLine);
}

void TKelmorFrm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (FCentred)
        return;
    FCentred = true;
    if (QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}
