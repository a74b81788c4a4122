#pragma once
// Everything the window asks of the user or of the desktop goes through this
// interface: the modal questions and message boxes, the file dialogs, help requests,
// the shell's open-a-web-page and the clipboard query. The window owns one; tests
// install a scripted one and see every question the window asks.
#include <QFlags>
#include <QString>
#include <QStringList>
#include <QVariant>

class QDialog;

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };

enum class TMsgDlgBtn : unsigned { mbYes = 0x1, mbNo = 0x2, mbOK = 0x4, mbCancel = 0x8 };
Q_DECLARE_FLAGS(TMsgDlgButtons, TMsgDlgBtn)
Q_DECLARE_OPERATORS_FOR_FLAGS(TMsgDlgButtons)

enum class TModalResult { mrNone, mrYes, mrNo, mrOK, mrCancel };

// The window title of a message dialog of the given type.
QString MsgDlgCaption(TMsgDlgType type);

// The caption of a button as the dialogs show it.
QString MsgDlgButtonCaption(TMsgDlgBtn button);

enum class TOpenOption : unsigned {
    ofOverwritePrompt = 0x1,
    ofHideReadOnly = 0x2,
    ofEnableSizing = 0x4,
};
Q_DECLARE_FLAGS(TOpenOptions, TOpenOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TOpenOptions)

// What a file dialog is asked with. The filter pairs a description with its
// patterns, all separated by vertical bars; FilterIndex counts from 1.
struct TFileDialogSetup {
    QString Title;
    QString FileName;  // the name the dialog proposes
    QString Filter;
    int FilterIndex = 1;
    QString DefaultExt;
    TOpenOptions Options;
};

struct TFileDialogResult {
    bool Accepted = false;
    QString FileName;
    int FilterIndex = 1;
};

struct TInputResult {
    bool Accepted = false;
    QString Text;
};

struct TFilterEntry {
    QString Description;
    QStringList Patterns;
};

// Splits "desc|pat;pat|desc|pat" into its entries; a trailing description without
// patterns is dropped, as the platform's dialogs drop it.
QList<TFilterEntry> ParseFileFilter(const QString &filter);

class TPlatformSeam {
public:
    virtual ~TPlatformSeam() = default;

    // A modal message dialog with the type's caption and icon. A "\r" in the text
    // starts a new line.
    virtual TModalResult MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons) = 0;

    // A box without icon, the application title as caption and one OK button.
    virtual void ShowMessage(const QString &text) = 0;

    // The report of an error that no command caught: application title as caption,
    // error icon, OK.
    virtual void ErrorReport(const QString &text) = 0;

    // An input box with one edit field, OK and Abbrechen.
    virtual TInputResult InputQuery(const QString &caption, const QString &prompt, const QString &value) = 0;

    virtual TFileDialogResult OpenFileDialog(const TFileDialogSetup &setup) = 0;
    virtual TFileDialogResult SaveFileDialog(const TFileDialogSetup &setup) = 0;

    // One of the program's own modal dialogs; gives the dialog's result
    // (QDialog::Accepted or Rejected).
    virtual int ShowModal(QDialog &dialog) = 0;

    // A request of the help interface: a command code and its data, a topic number
    // or a keyword text.
    virtual void HelpCommand(unsigned command, const QVariant &data) = 0;
    // Context help for F1 by help context number.
    virtual void HelpContext(int context) = 0;

    virtual void ShellOpen(const QString &url) = 0;

    virtual bool ClipboardHasText() = 0;
};

// The command codes of the help interface.
enum : unsigned { HELP_CONTEXT = 1, HELP_CONTENTS = 3, HELP_KEY = 257 };

// The caption of the application's own boxes.
QString ApplicationTitle();
