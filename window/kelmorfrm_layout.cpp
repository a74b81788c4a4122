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
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShortcutEvent>
#include <QScreen>
#include <QSessionManager>
#include <QShortcut>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

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

constexpr int DesignFontPixels = 21;

QFont WindowFont()
{
    return SansFont(Scaled(DesignFontPixels));
}

QFont FieldFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(Scaled(DesignFontPixels));
    return font;
}

void UseFieldFont(QWidget *widget)
{
    widget->setFont(FieldFont());
}

// A caption whose access letter is shown underlined but belongs to no field, so the
// letter moves no focus.
QString UnlinkedCaption(const QString &caption)
{
    QString html;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
            html += QStringLiteral("<u>%1</u>").arg(QString(caption.at(i)).toHtmlEscaped());
        } else {
            html += QString(caption.at(i)).toHtmlEscaped();
        }
    }
    return html;
}

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
    setProperty(HelpContextProperty, 1);
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

    BuildToolbar();
    BuildRecordForm();
    BuildStatusLine();
    BuildMainMenu();
    BuildEditPopup();
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
        button->setProperty(TagProperty, tag);
    connect(button, &QToolButton::clicked, this, [this, button, handler] { RunCommand(handler, button); });
    return button;
}

void TKelmorFrm::BuildToolbar()
{
    NewButton = MakeToolButton("NewButton", 9, 45, QStringLiteral("Erstellt eine neue Datei"),
                               PictureIcon(TPicture::New), &TKelmorFrm::Neu1Click);
    OpenButton = MakeToolButton("OpenButton", 54, 46, QStringLiteral("Öffnet eine vorhandene Datei"),
                                PictureIcon(TPicture::Open), &TKelmorFrm::ffnen1Click);
    SaveButton = MakeToolButton("SaveButton", 100, 46, QStringLiteral("Speichert die aktuelle Datei"),
                                PictureIcon(TPicture::Save), &TKelmorFrm::Speichern1Click);
    CutButton = MakeToolButton("CutButton", 176, 47, QStringLiteral("Schneidet Text in die Zwischenablage aus"),
                               PictureIcon(TPicture::Cut), &TKelmorFrm::Ausschneiden1Click);
    CopyButton = MakeToolButton("CopyButton", 223, 46, QStringLiteral("Kopiert Text in die Zwischenablage"),
                                PictureIcon(TPicture::Copy), &TKelmorFrm::Kopieren1Click);
    PasteButton = MakeToolButton("PasteButton", 269, 48, QStringLiteral("Fügt Text aus der Zwischenablage ein"),
                                 PictureIcon(TPicture::Paste), &TKelmorFrm::Einfgen1Click);
    FilePropButton = MakeToolButton("FilePropButton", 347, 46, QStringLiteral("Die Dateiinformationen ändern..."),
                                    PictureIcon(TPicture::FileProp), &TKelmorFrm::Dateiinformationen1Click);
    FirstButton = MakeToolButton("FirstButton", 478, 45, QStringLiteral("Springt zum ersten Datensatz"),
                                 PictureIcon(TPicture::First), &TKelmorFrm::DataControlClick, rcFirst);
    PreviousButton = MakeToolButton("PreviousButton", 523, 48, QStringLiteral("Springt zum vorigen Datensatz"),
                                    PictureIcon(TPicture::Previous), &TKelmorFrm::DataControlClick, rcPrior);
    NextButton = MakeToolButton("NextButton", 571, 45, QStringLiteral("Springt zum nächsten Datensatz"),
                                PictureIcon(TPicture::Next), &TKelmorFrm::DataControlClick, rcNext);
    LastButton = MakeToolButton("LastButton", 616, 46, QStringLiteral("Springt zum letzten Datensatz"),
                                PictureIcon(TPicture::Last), &TKelmorFrm::DataControlClick, rcLast);
    AddButton = MakeToolButton("AddButton", 662, 47, QStringLiteral("Fügt einen Datensatz hinzu"),
                               PictureIcon(TPicture::Add), &TKelmorFrm::DataControlClick, rcAdd);
    DeleteButton = MakeToolButton("DeleteButton", 709, 45, QStringLiteral("Löscht den aktuellen Datensatz"),
                                  PictureIcon(TPicture::Delete), &TKelmorFrm::DataControlClick, rcDelete);
    PostButton = MakeToolButton("PostButton", 754, 47, QStringLiteral("Übernimmt die Änderungen der Datenbank"),
                                PictureIcon(TPicture::Post), &TKelmorFrm::DataControlClick, rcPost);
    HelpIndexButton = MakeToolButton("HelpIndexButton", 902, 44, QStringLiteral("Sucht ein Stichwort in der Hilfe"),
                                     PictureIcon(TPicture::HelpIndex), &TKelmorFrm::InderHilfesuchen1Click);
    HelpButton = MakeToolButton("HelpButton", 946, 48, QStringLiteral("Zeigt die Hilfethemen an"),
                                PictureIcon(TPicture::Help), &TKelmorFrm::Hilfethemen1Click);

    for (QToolButton *b : {SaveButton, CutButton, CopyButton, PasteButton, FirstButton, PreviousButton, NextButton,
                           LastButton, AddButton, DeleteButton, PostButton})
        b->setEnabled(false);
}

TEditField *TKelmorFrm::MakeEditField(const char *name, int left, int top, int width, int height, int maxLength,
                                      const QString &hint)
{
    auto *field = new TEditField(MainPanel);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(ScaledRect(left, top, width, height));
    field->setMaxLength(maxLength);
    UseFieldFont(field);
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

    const auto makeLabel = [this](const char *name, const QString &caption, int left, int top, int width,
                                  int height) {
        auto *label = new QLabel(MainPanel);
        label->setObjectName(QLatin1String(name));
        label->setTextFormat(Qt::RichText);
        label->setText(UnlinkedCaption(caption));
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
    for (const TRightAnswerChoice &choice : RightAnswerChoices) {
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
    Label3 = makeLabel("Label3", QStringLiteral("&Antwort(en) (bis zu fünf Antworten mit je maximal 34 Zeichen):"),
                       324, 309, 582, 30);
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
    UseFieldFont(Answers);
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
        item->setProperty(TagProperty, tag);
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

void TKelmorFrm::BuildMainMenu()
{
    MainMenu1 = new TMainMenuBar(this);
    setMenuBar(MainMenu1);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    const auto makeMenu = [](QMenuBar *bar, QMenu *parentMenu, const char *name, const QString &caption) {
        QMenu *menu = parentMenu != nullptr ? parentMenu->addMenu(caption) : bar->addMenu(caption);
        menu->setObjectName(QLatin1String(name));
        menu->menuAction()->setObjectName(QStringLiteral("%1Item").arg(QLatin1String(name)));
        return menu;
    };

    Datei1 = makeMenu(MainMenu1, nullptr, "Datei1", QStringLiteral("&Datei"));
    Neu1 = MakeItem(Datei1, "Neu1", QStringLiteral("&Neu"), QStringLiteral("Erstellt eine neue Mirola-Fragedatei"),
                    &TKelmorFrm::Neu1Click);
    Neu1->setIcon(NewButton->icon());
    ffnen1 = MakeItem(Datei1, "ffnen1", QStringLiteral("&Öffnen ..."), QStringLiteral("Öffnet eine vorhandene Datei"),
                      &TKelmorFrm::ffnen1Click);
    ffnen1->setIcon(OpenButton->icon());
    Speichern1 = MakeItem(Datei1, "Speichern1", QStringLiteral("&Speichern"),
                          QStringLiteral("Speichert die Datei unter dem aktuellen Namen"), &TKelmorFrm::Speichern1Click);
    Speichern1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Speichern1->setIcon(SaveButton->icon());
    Speichernunter1 = MakeItem(Datei1, "Speichernunter1", QStringLiteral("Speichern &unter..."),
                               QStringLiteral("Speichert die Datei unter anderem Namen"),
                               &TKelmorFrm::Speichernunter1Click);
    N10 = MakeSeparator(Datei1, "N10");
    Exportieren1 = MakeItem(Datei1, "Exportieren1", QStringLiteral("&Exportieren..."),
                            QStringLiteral("Fragedatei ins Mirola-Format exportieren..."),
                            &TKelmorFrm::Exportieren1Click);
    N2 = MakeSeparator(Datei1, "N2");
    Schlieen1 = MakeItem(Datei1, "Schlieen1", QStringLiteral("S&chließen"), QStringLiteral("Schließt die aktuelle Datei"),
                         &TKelmorFrm::Schlieen1Click);
    N1 = MakeSeparator(Datei1, "N1");
    Beenden1 = MakeItem(Datei1, "Beenden1", QStringLiteral("&Beenden"), QStringLiteral("Beendet Kelmor"),
                        &TKelmorFrm::Beenden1Click);
    Beenden1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    Beenden1->setIcon(PictureIcon(TPicture::Exit));

    Bearbeiten1 = makeMenu(MainMenu1, nullptr, "Bearbeiten1", QStringLiteral("&Bearbeiten"));
    Ausschneiden1 = MakeItem(Bearbeiten1, "Ausschneiden1", QStringLiteral("&Ausschneiden"),
                             QStringLiteral("Schneidet Text in die Zwischenablage aus"),
                             &TKelmorFrm::Ausschneiden1Click);
    Ausschneiden1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    Ausschneiden1->setIcon(CutButton->icon());
    Kopieren1 = MakeItem(Bearbeiten1, "Kopieren1", QStringLiteral("&Kopieren"),
                         QStringLiteral("Kopiert Text in die Zwischenablage"), &TKelmorFrm::Kopieren1Click);
    Kopieren1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    Kopieren1->setIcon(CopyButton->icon());
    Einfgen1 = MakeItem(Bearbeiten1, "Einfgen1", QStringLiteral("&Einfügen"),
                        QStringLiteral("Fügt Text aus der Zwischenablage ein"), &TKelmorFrm::Einfgen1Click);
    Einfgen1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    Einfgen1->setIcon(PasteButton->icon());
    N11 = MakeSeparator(Bearbeiten1, "N11");
    Dateiinformationen1 = MakeItem(Bearbeiten1, "Dateiinformationen1", QStringLiteral("&Kartei-Informationen..."),
                                   QStringLiteral("Zeigt die Dateiinformationen an"),
                                   &TKelmorFrm::Dateiinformationen1Click);
    Dateiinformationen1->setIcon(PictureIcon(TPicture::FileInfo));

    Datensatz1 = makeMenu(MainMenu1, nullptr, "Datensatz1", QStringLiteral("&Datensatz"));
    const auto recordItem = [this](const char *name, const QString &caption, const QString &hint, int tag,
                                   QKeySequence shortcut, QToolButton *twin) {
        QAction *item = MakeItem(Datensatz1, name, caption, hint, &TKelmorFrm::DataControlClick, tag);
        item->setShortcut(shortcut);
        if (twin != nullptr)
            item->setIcon(twin->icon());
        return item;
    };
    Erster1 = recordItem("Erster1", QStringLiteral("&Erster"), QStringLiteral("Springt zum ersten Datensatz"), rcFirst,
                         QKeySequence(Qt::ALT | Qt::Key_1), FirstButton);
    Voriger1 = recordItem("Voriger1", QStringLiteral("&Voriger"), QStringLiteral("Springt zum vorigen Datensatz"), rcPrior,
                          QKeySequence(Qt::ALT | Qt::Key_V), PreviousButton);
    Nchster1 = recordItem("Nchster1", QStringLiteral("&Nächster"), QStringLiteral("Springt zum nächsten Datensatz"), rcNext,
                          QKeySequence(Qt::ALT | Qt::Key_N), NextButton);
    Letzter1 = recordItem("Letzter1", QStringLiteral("&Letzter"), QStringLiteral("Springt zum letzten Datensatz"), rcLast,
                          QKeySequence(Qt::ALT | Qt::Key_L), LastButton);
    Gehezu1 = MakeItem(Datensatz1, "Gehezu1", QStringLiteral("&Gehe zu..."),
                       QStringLiteral("Springt zu einem bestimmten Datensatz"), &TKelmorFrm::Gehezu1Click);
    Gehezu1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_0));
    N7 = MakeSeparator(Datensatz1, "N7");
    Suchen1 = MakeItem(Datensatz1, "Suchen1", QStringLiteral("&Suchen..."), QStringLiteral("Sucht Text in der Datenbank"),
                       &TKelmorFrm::Suchen1Click);
    Suchen1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    Weitersuchen1 = MakeItem(Datensatz1, "Weitersuchen1", QStringLiteral("&Weitersuchen"),
                             QStringLiteral("Setzt die Suche fort"), &TKelmorFrm::Weitersuchen1Click);
    Weitersuchen1->setShortcut(QKeySequence(Qt::Key_F3));
    N3 = MakeSeparator(Datensatz1, "N3");
    Hinzufgen1 = recordItem("Hinzufgen1", QStringLiteral("&Hinzufügen"), QStringLiteral("Fügt einen Datensatz hinzu"),
                            rcAdd, QKeySequence(), AddButton);
    Entfernen1 = recordItem("Entfernen1", QStringLiteral("&Entfernen"),
                            QStringLiteral("Entfernt den aktuellen Datensatz"), rcDelete, QKeySequence(), DeleteButton);
    N6 = MakeSeparator(Datensatz1, "N6");
    bernehmen1 = recordItem("bernehmen1", QStringLiteral("&Übernehmen"),
                            QStringLiteral("Übernimmt die Änderungen in die Datenbank"), rcPost, QKeySequence(), PostButton);

    Ansicht1 = makeMenu(MainMenu1, nullptr, "Ansicht1", QStringLiteral("&Ansicht"));
    Symbolleiste1 = MakeItem(Ansicht1, "Symbolleiste1", QStringLiteral("&Symbolleiste"),
                             QStringLiteral("bestimmt, ob die Symbolleiste angezeigt werden soll..."),
                             &TKelmorFrm::Symbolleiste1Click);
    Statusleiste1 = MakeItem(Ansicht1, "Statusleiste1", QStringLiteral("Sta&tusleiste"),
                             QStringLiteral("bestimmt, ob die Statusleiste angezeigt werden soll..."),
                             &TKelmorFrm::Statusleiste1Click);
    for (QAction *toggle : {Symbolleiste1, Statusleiste1}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    Ansicht1->menuAction()->setVisible(false);

    N4 = makeMenu(MainMenu1, nullptr, "N4", QStringLiteral("&?"));
    InderHilfesuchen1 = MakeItem(N4, "InderHilfesuchen1", QStringLiteral("&In der Hilfe suchen ..."),
                                 QStringLiteral("Ruft den Index der Hilfe auf..."),
                                 &TKelmorFrm::InderHilfesuchen1Click);
    InderHilfesuchen1->setIcon(HelpIndexButton->icon());
    Hilfeverwenden1 = MakeItem(N4, "Hilfeverwenden1", QStringLiteral("Hilfe &verwenden..."),
                               QStringLiteral("Ruft die Hilfe zur Hilfe auf..."), &TKelmorFrm::Hilfeverwenden1Click);
    N8 = MakeSeparator(N4, "N8");
    Hilfethemen1 = MakeItem(N4, "Hilfethemen1", QStringLiteral("&Hilfethemen"),
                            QStringLiteral("Ruft die Hilfethemen auf..."), &TKelmorFrm::Hilfethemen1Click);
    Hilfethemen1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_H));
    Hilfethemen1->setIcon(HelpButton->icon());
    SpracheLanguage1 = makeMenu(MainMenu1, N4, "SpracheLanguage1", QStringLiteral("&Sprache (Language)"));
    FLanguageGroup = new QActionGroup(this);
    FLanguageGroup->setExclusive(true);
    Deutsch1 = MakeItem(SpracheLanguage1, "Deutsch1", QStringLiteral("&Deutsch"), {}, &TKelmorFrm::SwitchLanguage);
    English1 = MakeItem(SpracheLanguage1, "English1", QStringLiteral("&English"), {}, &TKelmorFrm::SwitchLanguage);
    Francais1 = MakeItem(SpracheLanguage1, "Francais1", QStringLiteral("&Français"), {}, &TKelmorFrm::SwitchLanguage);
    for (QAction *language : {Deutsch1, English1, Francais1}) {
        language->setCheckable(true);
        FLanguageGroup->addAction(language);
    }
    N12 = MakeSeparator(N4, "N12");
    WeitereInfosundUpdates1 = MakeItem(N4, "WeitereInfosundUpdates1", QStringLiteral("Infos und Updates ( im &WWW)..."),
                                       QStringLiteral("Kelmor-Webseite: ") + KelmorWebPage,
                                       &TKelmorFrm::WeitereInfosundUpdates1Click);
    WeitereInfosundUpdates1->setIcon(PictureIcon(TPicture::Web));
    N5 = MakeSeparator(N4, "N5");
    Infober1 = MakeItem(N4, "Infober1", QStringLiteral("&Info &über ..."),
                        QStringLiteral("Zeigt das Info-Fenster von Kelmor für Mirola an..."), &TKelmorFrm::Infober1Click);
    Infober1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Y));
    for (QAction *neverShown : {SpracheLanguage1->menuAction(), N12})
        neverShown->setVisible(false);
}

void TKelmorFrm::BuildEditPopup()
{
    EditPopup1 = new QMenu(this);
    EditPopup1->setObjectName(QStringLiteral("EditPopup1"));
    const auto popupItem = [this](const char *name, const QString &caption, QKeySequence shortcut, THandler handler) {
        QAction *item = MakeItem(EditPopup1, name, caption, {}, handler);
        item->setShortcut(shortcut);
        // The fields hand these keys over themselves while they have the focus.
        item->setShortcutContext(Qt::WidgetShortcut);
        return item;
    };
    Ausschneiden2 = popupItem("Ausschneiden2", QStringLiteral("&Ausschneiden"), QKeySequence(Qt::CTRL | Qt::Key_X),
                              &TKelmorFrm::Ausschneiden1Click);
    Kopieren2 = popupItem("Kopieren2", QStringLiteral("&Kopieren"), QKeySequence(Qt::CTRL | Qt::Key_C),
                          &TKelmorFrm::Kopieren1Click);
    Einfgen2 = popupItem("Einfgen2", QStringLiteral("&Einfügen"), QKeySequence(Qt::CTRL | Qt::Key_V),
                         &TKelmorFrm::Einfgen1Click);
    N9 = MakeSeparator(EditPopup1, "N9");
    Lschen1 = popupItem("Lschen1", QStringLiteral("&Löschen"), QKeySequence(Qt::CTRL | Qt::Key_D),
                        &TKelmorFrm::Lschen1Click);
    for (TEditField *field : {Question1, Question2, Question3, CommentEdit, AnswerEdit})
        field->SetPopupMenu(EditPopup1);
}

void TKelmorFrm::BuildFileDialogs()
{
    OpenDialog1.Title = QStringLiteral("Mirola-Datei öffnen...");
    // The first entry's description names fewer patterns than it matches.
    OpenDialog1.Filter = QStringLiteral(
        "Mirola Fragetexte (*.mfd)|*.mfd;*.dat|Mirola RAF-Dateien (*.raf)|*.raf|Alle Dateien (*.*)|*.*");
    OpenDialog1.Options = TOpenOption::ofHideReadOnly | TOpenOption::ofEnableSizing;

    // Save As and Export ask about replacing a file themselves, once and after their
    // other checks, so the dialogs do not.
    SaveDialog1.Options = {};

    SaveDialog2.Filter =
        QStringLiteral("Mirola Classic DOS-RAF (*.raf)|*.raf|Mirola 2 Windows-RAF (*.raf)|*.raf");
    SaveDialog2.DefaultExt = QStringLiteral("*.RAF");
    SaveDialog2.Options = TOpenOption::ofHideReadOnly | TOpenOption::ofEnableSizing;
}

void TKelmorFrm::BuildHiddenItemShortcuts()
{
    // Qt drops the shortcut of an item that is hidden or sits in a hidden menu; these
    // stand in for it while the item is out of sight.
    for (QAction *item : {Speichern1, Beenden1, Ausschneiden1, Kopieren1, Einfgen1, Erster1, Voriger1, Nchster1,
                          Letzter1, Gehezu1, Suchen1, Weitersuchen1, Hilfethemen1, Infober1}) {
        auto *shortcut = new QShortcut(item->shortcut(), this);
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
    Deutsch1->setProperty(TagProperty, 1031);
    English1->setProperty(TagProperty, 1033);
    Francais1->setProperty(TagProperty, 1036);
    Deutsch1->setChecked(true);
    setWindowTitle(StartupCaption);
    // Hints come on white; their text is made dark with it, as a dark scheme's light
    // hint text would not show on white.
    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, Qt::white);
    tips.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tips);
    SetIsFileLoaded(false);
    SetIsChanged(false);
    dokname = UntitledName;

    FHintTracker = new THintTracker(this);
    FHintTracker->WatchMenuBar(MainMenu1);
    for (QMenu *menu : {Datei1, Bearbeiten1, Datensatz1, Ansicht1, N4, SpracheLanguage1, EditPopup1})
        FHintTracker->WatchMenu(menu);
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
