#pragma once
// TKelmorFrm, the editor's one main window. Its code is spread by concern:
//   kelmorfrm_layout.cpp    building every element, binding it to its handler, FormCreate
//   kelmorfrm_state.cpp     the state properties, the refresh operations, the hint line
//                           and the small handlers that keep them current
//   kelmorfrm_record.cpp    putting a document in, ShowRecord and StoreRecord
//   kelmorfrm_documents.cpp the command line, opening, new and file information
//   kelmorfrm_saving.cpp    save, save as, export, the question before closing, close
//                           and exit
//   kelmorfrm_navigation.cpp the record commands and go to
//   kelmorfrm_answers.cpp   adding, removing, taking back and dragging answers
//   kelmorfrm_search.cpp    find and find next
//   kelmorfrm_help.cpp      the help, web and about commands, F1, and the commands
//                           that do nothing
//   kelmorfrm_drop.cpp      opening a file dropped from a file manager
//   kelmorfrm_check.cpp     the question check's window and Export's question
//   kelmorfrm_history.cpp   the document's history: every change as a step, undo
//                           and redo, and the changed mark that follows them
//   kelmorfrm_clipboard.cpp cut, copy, paste and delete in the edit fields
#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "answerlist.h"
#include "csvformat.h"
#include "elementproperties.h"
#include "filestamp.h"
#include "mirolafile.h"
#include "platformseam.h"
#include "questioncheck.h"
#include "recordsearch.h"
#include "webpages.h"

class QAction;
class QActionGroup;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QShortcut;
class QTimer;
class QToolButton;
class QUndoStack;
class TAboutBox;
class TBevelPanel;
class TCheckWindow;
class TDocumentStep;
class TEditField;
class TFindDialog;
class THintTracker;

// The window caption before any document is opened.
inline const QString kStartupCaption = QStringLiteral("Kelmor für Mirola Classic (v 10.2 - brixlon xiii/mmv )");
inline const QString kEmptyStateHint =
    QStringLiteral("Klicken Sie auf \"Neu\" oder \"Öffnen\", um eine Mirola-Datei zu bearbeiten...");
// The name of a document that has none yet.
inline const QString kUntitledName = QStringLiteral("Unbenannt");

// The Tags of the seven record commands, carried by their toolbar buttons and menu
// items and read by DataControlClick.
enum TRecordCommand : int {
    rcFirst = 1,
    rcPrior = 2,
    rcNext = 3,
    rcLast = 4,
    rcAdd = 5,
    rcDelete = 6,
    rcPost = 7,
};

// The Tags of the three language items, Windows language identifiers; nothing
// reads them.
inline constexpr int kGermanLanguageTag = 1031;   // German (Germany)
inline constexpr int kEnglishLanguageTag = 1033;  // English (United States)
inline constexpr int kFrenchLanguageTag = 1036;   // French (France)

// The help topic of the window: the page on the main window at a glance.
inline constexpr int kMainWindowHelpContext = 1;

// What the log-off handler needs of the session manager; Qt makes its manager for
// the platform only.
class TLogOffRequest {
public:
    virtual ~TLogOffRequest() = default;
    virtual bool AllowsInteraction() = 0;
    virtual void Cancel() = 0;
};

// "Kelmor für Mirola - [name]"
QString DocumentCaption(const QString &name);

class TKelmorFrm : public QMainWindow {
    Q_OBJECT
public:
    // The window asks the user everything through `seam`; without one it uses Qt's
    // own dialogs.
    explicit TKelmorFrm(std::unique_ptr<TPlatformSeam> seam = nullptr, QWidget *parent = nullptr);
    ~TKelmorFrm() override;

    TPlatformSeam &Seam() { return *FSeam; }

    // The open document and its file name. The member hides Qt's own QFile inside
    // this class: write ::QFile for that.
    std::unique_ptr<TMirolaFile> QFile;
    QString dokname;

    // Shown by the About command; made by the program's start-up after this window.
    TAboutBox *AboutBox = nullptr;
    // Made by the first Find and kept, with the choices made in it.
    TFindDialog *FindDialog = nullptr;
    // Made by the first question check and kept; it follows the document while shown.
    TCheckWindow *CheckWindow() const { return FCheckWindow; }

    // The application's report of an error that ended a command, called inside the
    // catch block. An error must not unwind through Qt's delivery of a menu choice,
    // a shortcut or a click: that code is built without cleanup for it, and what it
    // holds on the way is never freed. Without a report the error goes on to
    // whoever gave the command.
    std::function<void()> CommandErrorReport;

    // Puts the window into its empty state and works through the command line (the
    // arguments without the program's path, as the system's bytes: a file name need
    // not be valid text). Whoever creates the window calls it once, where an error it
    // raises can be reported: the constructor does not.
    void FormCreate(const QList<QByteArray> &CommandLine);

    // Opens a question file by its extension; a refused or failing file leaves the
    // open document as it was.
    void OpenDoc(const QString &FileName);
    // The same for a name in the system's bytes, which is kept for saving.
    void OpenDocFile(const std::string &LocalName);

    // Asks whether to save a changed document. False when the user cancelled or the
    // document could not be saved: the caller must then keep it.
    bool ConfirmChange(QObject *Sender);

    // Every request to close the window, the session's log-off included, asks here.
    void FormCloseQuery(QObject *Sender, bool &CanClose);

    // The session manager's question at log-off: a refusal or an error while saving
    // cancels the log-off.
    void SessionEnding(TLogOffRequest &request);

    // Makes `doc` the open document and shows its current record; the document it
    // replaces is released.
    void InstallDocument(std::unique_ptr<TMirolaFile> doc);

    // State properties: every write applies the property's rules.
    bool IsFileLoaded() const { return FIsFileLoaded; }
    void SetIsFileLoaded(bool value);
    bool IsChanged() const { return FIsChanged; }
    void SetIsChanged(bool value);
    QString CurSelText() const { return FCurSelText; }
    void SetCurSelText(const QString &value);

    void UpdateNavigation();
    void UpdateAnswerOptions();

    // Enables or disables a command: its menu item, keeping the value for the
    // shortcut the item has while it is hidden, and the toolbar button that runs the
    // same command. The answer buttons and the right-answer choices are controls of
    // the record form, not commands, and are switched as controls.
    void EnableCommand(QAction *item, bool enabled);
    // What EnableCommand last gave the item; Qt reports a hidden item as disabled.
    static bool ItemEnabled(const QAction *item);

    // Every change the user makes to the document ends here: edits of the record
    // form, which are not yet in the document, or a step of its history (records
    // stored, added and deleted, the header texts), which makes its change as the
    // history takes it over.
    void DocumentChanged(TDocumentStep *step = nullptr);

    // The document's history, for undo and redo; fresh with every document.
    QUndoStack *History() const { return FHistory; }

    void ShowRecord();
    // Writes what the user changed in the form into the record buffer; a change
    // becomes a step of the history.
    void StoreRecord();

    // Record form
    TBevelPanel *Panel1 = nullptr;     // the toolbar
    TBevelPanel *Panel2 = nullptr;     // the status line
    TBevelPanel *MainPanel = nullptr;  // the record form, shown with a document
    QGroupBox *LevelGroup = nullptr;
    std::array<QRadioButton *, 4> LevelItems{};  // A to D
    QLabel *Label1 = nullptr;                    // "&Frage ...", over the question lines
    QLabel *Label2 = nullptr;                    // "&Kommentar ...", over the comment
    QLabel *Label3 = nullptr;                    // "&Antwort(en) ...", over the answers
    TEditField *Question1 = nullptr;
    TEditField *Question2 = nullptr;
    TEditField *Question3 = nullptr;
    QGroupBox *RightAnswerGroup = nullptr;
    QRadioButton *ARadioButton = nullptr;
    QRadioButton *BRadioButton = nullptr;
    QRadioButton *CRadioButton = nullptr;
    QRadioButton *DRadioButton = nullptr;
    QRadioButton *ERadioButton = nullptr;
    QRadioButton *AllesRichtigRadioButton = nullptr;
    QRadioButton *AllesFalschRadioButton = nullptr;
    QRadioButton *SchwarzerPeterRadioButton = nullptr;
    TEditField *CommentEdit = nullptr;
    TEditField *AnswerEdit = nullptr;  // the entry field for a new answer
    QPushButton *AddAnswerButton = nullptr;
    TAnswerList *Answers = nullptr;
    QPushButton *DeleteAnswerButton = nullptr;

    // Status line
    TBevelPanel *HintPanel = nullptr;
    TBevelPanel *NumberOfPanel = nullptr;  // "Datensätze: n"
    TBevelPanel *IndexPanel = nullptr;     // "Datensatz Nr. i"

    // Toolbar
    QToolButton *NewButton = nullptr;
    QToolButton *OpenButton = nullptr;
    QToolButton *SaveButton = nullptr;
    QToolButton *CutButton = nullptr;
    QToolButton *CopyButton = nullptr;
    QToolButton *PasteButton = nullptr;
    QToolButton *FilePropButton = nullptr;  // the file information
    QToolButton *FirstButton = nullptr;
    QToolButton *PreviousButton = nullptr;
    QToolButton *NextButton = nullptr;
    QToolButton *LastButton = nullptr;
    QToolButton *AddButton = nullptr;
    QToolButton *DeleteButton = nullptr;
    QToolButton *PostButton = nullptr;
    QToolButton *HelpIndexButton = nullptr;
    QToolButton *HelpButton = nullptr;

    // Main menu. Items are named after their captions, without blanks, umlauts and ß;
    // the Ns are separators, except N4.
    QMenuBar *MainMenu1 = nullptr;
    QMenu *Datei1 = nullptr;
    QAction *Neu1 = nullptr;
    QAction *ffnen1 = nullptr;         // "&Öffnen ..."
    QMenu *Zuletztgeffnet1 = nullptr;  // "&Zuletzt geöffnet", the recent files
    QAction *Speichern1 = nullptr;
    QAction *Speichernunter1 = nullptr;
    QAction *N10 = nullptr;
    QAction *Exportieren1 = nullptr;
    QAction *N2 = nullptr;
    QAction *Schlieen1 = nullptr;  // "S&chließen"
    QAction *N1 = nullptr;
    QAction *Beenden1 = nullptr;
    QMenu *Bearbeiten1 = nullptr;
    QAction *Rckgngig1 = nullptr;          // "&Rückgängig", undo
    QAction *Wiederherstellen1 = nullptr;  // redo
    QAction *N13 = nullptr;
    QAction *Ausschneiden1 = nullptr;
    QAction *Kopieren1 = nullptr;
    QAction *Einfgen1 = nullptr;  // "&Einfügen"
    QAction *N11 = nullptr;
    QAction *Dateiinformationen1 = nullptr;  // "&Kartei-Informationen..."
    QMenu *Datensatz1 = nullptr;
    QAction *Erster1 = nullptr;
    QAction *Voriger1 = nullptr;
    QAction *Nchster1 = nullptr;  // "&Nächster"
    QAction *Letzter1 = nullptr;
    QAction *Gehezu1 = nullptr;
    QAction *N7 = nullptr;
    QAction *Suchen1 = nullptr;
    QAction *Weitersuchen1 = nullptr;
    QAction *Fragenprfen1 = nullptr;  // "Fragen &prüfen ...", the question check
    QAction *N3 = nullptr;
    QAction *Hinzufgen1 = nullptr;  // "&Hinzufügen", a record
    QAction *Entfernen1 = nullptr;
    QAction *N6 = nullptr;
    QAction *bernehmen1 = nullptr;  // "&Übernehmen", post the record
    QMenu *Ansicht1 = nullptr;      // never shown
    QAction *Symbolleiste1 = nullptr;
    QAction *Statusleiste1 = nullptr;
    QMenu *N4 = nullptr;                   // the "&?" menu
    QAction *InderHilfesuchen1 = nullptr;  // the help index
    QAction *Hilfeverwenden1 = nullptr;    // help on the help
    QAction *N8 = nullptr;
    QAction *Hilfethemen1 = nullptr;
    QMenu *SpracheLanguage1 = nullptr;  // never shown
    QAction *Deutsch1 = nullptr;
    QAction *English1 = nullptr;
    QAction *Francais1 = nullptr;
    QAction *N12 = nullptr;
    QAction *WeitereInfosundUpdates1 = nullptr;  // the web page
    QAction *N5 = nullptr;
    QAction *Infober1 = nullptr;  // "&Info &über ...", the about box

    // Context menu of the five edit fields
    QMenu *EditPopup1 = nullptr;
    QAction *Ausschneiden2 = nullptr;
    QAction *Kopieren2 = nullptr;
    QAction *Einfgen2 = nullptr;  // "&Einfügen"
    QAction *N9 = nullptr;
    QAction *Lschen1 = nullptr;  // "&Löschen", the selected text

    // File dialogs
    TFileDialogSetup OpenDialog1;
    TFileDialogSetup SaveDialog1;  // Save As
    TFileDialogSetup SaveDialog2;  // Export

    // Commands. One named after a main menu item also serves that item's toolbar
    // button and the popup's item of the same caption.
    void Neu1Click(QObject *Sender);
    void ffnen1Click(QObject *Sender);
    void Speichern1Click(QObject *Sender);
    void Speichernunter1Click(QObject *Sender);
    void Exportieren1Click(QObject *Sender);
    void Schlieen1Click(QObject *Sender);
    void Beenden1Click(QObject *Sender);
    void Ausschneiden1Click(QObject *Sender);
    void Kopieren1Click(QObject *Sender);
    void Einfgen1Click(QObject *Sender);
    void Lschen1Click(QObject *Sender);
    void Dateiinformationen1Click(QObject *Sender);
    // An entry of "Zuletzt geöffnet": the item carries its file's name.
    void ZuletztgeffnetClick(QObject *Sender);
    void Rckgngig1Click(QObject *Sender);
    void Wiederherstellen1Click(QObject *Sender);
    void Fragenprfen1Click(QObject *Sender);
    // The seven record commands, picked by the sender's Tag (TRecordCommand).
    void DataControlClick(QObject *Sender);
    void Gehezu1Click(QObject *Sender);
    void Suchen1Click(QObject *Sender);
    void Weitersuchen1Click(QObject *Sender);
    void Symbolleiste1Click(QObject *Sender);
    void Statusleiste1Click(QObject *Sender);
    void InderHilfesuchen1Click(QObject *Sender);
    void Hilfethemen1Click(QObject *Sender);
    // The three language items.
    void SwitchLanguage(QObject *Sender);
    void Hilfeverwenden1Click(QObject *Sender);
    void WeitereInfosundUpdates1Click(QObject *Sender);
    void Infober1Click(QObject *Sender);
    void AddAnswerButtonClick(QObject *Sender);
    void DeleteAnswerButtonClick(QObject *Sender);

    // Control and window events
    // The text of a question line or the comment changed: serves those four fields.
    void CommentEditChange(QObject *Sender);
    void AnswerEditChange(QObject *Sender);
    // Says in the status line which character of `text` the document cannot hold.
    void NoteLostCharacter(const QString &text);
    // A mouse button released in any of the five edit fields.
    void Question1MouseUp(QObject *Sender);
    // The focus left any of the five edit fields.
    void AnswerEditExit(QObject *Sender);
    // The window's first activation.
    void FormActivate(QObject *Sender);
    // An answer selected.
    void AnswersClick(QObject *Sender);
    // Takes the answer back into AnswerEdit.
    void AnswersDblClick(QObject *Sender);
    void AnswersKeyDown(QObject *Sender, int Key, Qt::KeyboardModifiers Shift);
    // `Row` is the answer under the pointer, -1 for none.
    void AnswersMouseDown(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int Row);
    void AnswersDragOver(QObject *Sender, QObject *Source, int Row, bool &Accept);
    void AnswersDragDrop(QObject *Sender, QObject *Source, int Row);
    // The program's current hint changed: it goes to the hint line.
    void AppHint(QObject *Sender);
    // F1: context help for `Sender`, the focused element; none inside a menu.
    void ContextHelp(QObject *Sender);
    // Files dropped on the window from a file manager: the first is opened.
    void FormDropFiles(QObject *Sender, const QStringList &Files);

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Every question to the user, help request and clipboard query goes through it.
    std::unique_ptr<TPlatformSeam> FSeam;

    // Building the window (kelmorfrm_layout.cpp)
    using THandler = void (TKelmorFrm::*)(QObject *);
    void BuildToolbar();
    void BuildRecordForm();
    void BuildStatusLine();
    // The main menu and the edit popup, from the command table.
    void BuildMenus();
    void BuildFileDialogs();
    void BuildHiddenItemShortcuts();
    QToolButton *MakeToolButton(const char *name, int left, int width, const QString &hint, QIcon icon,
                                THandler handler, int tag = 0);
    QAction *MakeItem(QMenu *menu, const char *name, const QString &caption, const QString &hint = {},
                      THandler handler = nullptr, int tag = 0);
    QAction *MakeSeparator(QMenu *menu, const char *name);
    TEditField *MakeEditField(const char *name, int left, int top, int width, int height, int maxLength,
                              const QString &hint);
    void Bind(QAction *item, THandler handler);
    // Runs the command of a menu item or a toolbar button; an error that ends it is
    // reported here, before it reaches Qt.
    void RunCommand(THandler handler, QObject *Sender);
    // The toolbar button that runs the same command as a menu item.
    std::vector<std::pair<QAction *, QToolButton *>> FTwins;
    QActionGroup *FLanguageGroup = nullptr;
    void UseFieldFonts();
    bool FFieldFontsSet = false;  // given when the record form is first shown
    bool FCentred = false;        // on the screen, when first shown
    // Tab and Shift+Tab enter a radio group at its checked choice.
    bool focusNextPrevChild(bool next) override;

    // The state properties, the hint line and the small handlers (kelmorfrm_state.cpp)
    bool FIsFileLoaded = false;
    bool FIsChanged = false;
    QString FCurSelText;
    THintTracker *FHintTracker = nullptr;
    void LayoutStatusLine();
    struct THiddenItemShortcut {
        QAction *Item;
        QShortcut *Shortcut;
    };
    std::vector<THiddenItemShortcut> FHiddenItemShortcuts;
    void SyncHiddenItemShortcuts();
    bool FActivatedOnce = false;

    // Showing and storing a record (kelmorfrm_record.cpp)
    // Set while the program, not the user, fills the record form.
    bool FShowingRecord = false;
    // What the user changed in the form since ShowRecord. StoreRecord writes only
    // that, so a record that was only looked at keeps every byte: a small or
    // unknown level letter, answers with empty slots between them, a code the
    // choices cannot show.
    struct TFormEdits {
        bool Level = false;
        bool RightAnswer = false;
        bool Answers = false;
        // A record added in the editor is written whole by its first store.
        bool NewRecord = false;
    };
    TFormEdits FFormEdits;
    // The texts ShowRecord gave the question lines and the comment, as the fields
    // hold them.
    std::array<QString, 4> FShownTexts;
    // The right-answer code names an answer of the list (the one carrying
    // TAnswerList::kRightAnswerRole), which it follows when answers move.
    bool FRightAnswerIsAnswer = false;
    void SetRightAnswerChecks(char16_t code);
    // The form's edits into `rec`, as StoreRecord writes them.
    void WriteForm(TMirolaDatensatz &rec);
    // The user picked a level or a right answer.
    void LevelPicked();
    void RightAnswerPicked(char16_t code);
    // After the answer list changed: the code follows its answer to its new place,
    // and falls back to Schwarzer Peter when the answer left the list.
    void AnswersEdited();
    bool AnswersHaveGaps() const;

    // The command line, opening, new and file information (kelmorfrm_documents.cpp)
    void ProcessCommandLine(const QList<QByteArray> &arguments);
    // The document's file in the system's bytes, while dokname still names it.
    std::string DocumentFile() const;
    void SetDocumentName(const std::string &localName);
    // dokname as the system's bytes, which a name from the command line may hold
    // where they are no valid text.
    std::string FDocumentFile;
    // The document came from a record file or a spreadsheet: saving it as text under
    // that name would make the file unreadable as what it is.
    bool FOpenedAsOtherFormat = false;
    // A spreadsheet's records as a document, with the header texts a new file gets and
    // the file's name as its title.
    std::unique_ptr<TMirolaFile> ReadSpreadsheet(const std::string &localName);
    // What reading the last spreadsheet changed, for the summary after it is shown.
    std::vector<TCsvChange> FSpreadsheetChanges;
    // The entries of "Zuletzt geöffnet" from the settings, which another window of the
    // program may have changed.
    void RefreshRecentFiles();

    // Save, save as, export and closing (kelmorfrm_saving.cpp)
    // The save behind Save, Save As and the question before closing; each says
    // whether the document was written.
    bool SaveDocument();
    bool SaveDocumentAs();
    // Asks the save dialog described by `setup` for a name and keeps the filter
    // chosen. Empty when the user cancelled.
    QString AskSaveName(TFileDialogSetup &setup);
    // True unless the file exists and the user would rather keep it. The dialogs
    // do not ask themselves: a name is asked about once, after every other check.
    bool MayReplace(const std::string &localName);
    // The document's file as it was when last read or written here.
    TFileStamp FFileStamp;
    // False when the save into `fullLocalName` would write over the document's file,
    // another program changed that file since, and the user would rather keep it.
    bool MayWriteOverDocumentFile(const std::string &fullLocalName);
    // Export's third entry: the records as a table for spreadsheet programs.
    static constexpr int kSpreadsheetEntry = 3;
    void ExportSpreadsheet(QString name);

    // The record commands and go to (kelmorfrm_navigation.cpp)
    // Stores the form and shows the record at `index`, counted from 0; beyond the
    // list's ends, its first or last.
    void GoToRecord(std::int64_t index);

    // Editing the answers (kelmorfrm_answers.cpp)
    // The delete button and the Del key.
    void RemoveSelectedAnswer();
    // The answer last taken back into AnswerEdit, for adding it again: its bytes,
    // the row it came from (-1: the field holds no answer taken back) and whether it
    // was the right one.
    QByteArray FTakenBackAnswer;
    int FTakenBackRow = -1;
    bool FTakenBackWasRight = false;
    void ForgetTakenBackAnswer();
    // Text left in AnswerEdit goes into the list before the record is stored: an
    // answer taken back at its row, other text at the end. Returns the row it took,
    // or -1.
    int PutBackAnswerEntry();
    // Set while an edit in place is stored: the entry field's text is still being
    // written and stays where it is.
    bool FKeepAnswerEntry = false;
    void AnswerEditedInPlace();
    // After a field's own undo or redo: whether the form still holds edits.
    void RecheckFormEdits();

    // Find and find next (kelmorfrm_search.cpp)
    // Searches from `start` with the last search's options; a hit is gone to and shown,
    // and no hit is reported.
    void RunSearch(const TSearchStart &start);
    void ShowHit(const TSearchHit &hit);
    TFormTexts FormTexts() const;
    // The options of the last search made by the Find command, for Find next.
    std::optional<TSearchOptions> FLastSearch;
    // Where Find next goes on from; forgotten when another document comes in.
    std::optional<TSearchHit> FLastHit;

    // Help (kelmorfrm_help.cpp)
    void BuildHelpKeys();

    // Dropped files (kelmorfrm_drop.cpp)
    void AcceptFileDrops();

    // The question check (kelmorfrm_check.cpp)
    TCheckWindow *FCheckWindow = nullptr;
    QTimer *FCheckTimer = nullptr;
    // The check window's list is due for a refresh: the document or the form changed.
    void DocumentCheckDue();
    void RefreshCheck();
    // The check of the document with the record on screen as the form shows it.
    std::vector<TCheckFinding> CheckWithForm();
    // Export's question when records would show wrongly in the game; true: go on.
    bool ExportDespiteFindings();

    // The document's history (kelmorfrm_history.cpp)
    void BuildHistory();
    QUndoStack *FHistory = nullptr;
    // The form holds edits that StoreRecord has not yet written.
    bool FFormHasEdits = false;
    // The changed mark and the undo commands, from the history and the form.
    void RefreshChangedMark();
    // A new history for the document that just came in or went.
    void StartHistory();
    // The document as it stands is on disk now, in the file it is named after.
    void MarkSaved();
    // Undo and redo: `back` picks which.
    void StepThroughHistory(bool back);

    // The clipboard commands (kelmorfrm_clipboard.cpp)
    // The edit field the clipboard commands act on, or none.
    TEditField *FocusedEditField() const;
};

// The eight right-answer choices with their codes, in the order in which a record's
// code is looked for.
struct TRightAnswerChoice {
    QRadioButton *TKelmorFrm::*Button;
    char16_t Code;
};
// clang-format off
inline constexpr std::array<TRightAnswerChoice, 8> kRightAnswerChoices = {{
    {&TKelmorFrm::ARadioButton, u'a'},
    {&TKelmorFrm::BRadioButton, u'b'},
    {&TKelmorFrm::CRadioButton, u'c'},
    {&TKelmorFrm::DRadioButton, u'd'},
    {&TKelmorFrm::ERadioButton, u'e'},
    {&TKelmorFrm::SchwarzerPeterRadioButton, u'x'},
    {&TKelmorFrm::AllesRichtigRadioButton, u'r'},
    {&TKelmorFrm::AllesFalschRadioButton, u'f'},
}};
// clang-format on
