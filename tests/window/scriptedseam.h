#pragma once
// A platform seam for tests: it records every question the window asks and answers
// it from what the test queued; a question that nothing was queued for fails the test.
#include <QList>
#include <QString>
#include <deque>
#include <functional>

class QDialog;

#include "platformseam.h"

struct TSeamCall {
    QString Kind;  // "MessageDlg", "ShowMessage", "ErrorReport", "InputQuery", "OpenFile", "SaveFile",
                   // "ShowModal"
    QString Caption;
    QString Text;
    TMsgDlgType Type = TMsgDlgType::mtInformation;
    TMsgDlgButtons Buttons;
};

class TScriptedSeam : public TPlatformSeam {
public:
    QList<TSeamCall> Calls;

    std::deque<TModalResult> DlgAnswers;
    int Acknowledgements = 0;  // boxes with a lone OK button the test expects
    std::deque<TInputResult> InputAnswers;
    std::deque<TFileDialogResult> FileAnswers;
    // Each fills the dialog's fields as a user would and gives its result.
    std::deque<std::function<int(QDialog &)>> DialogAnswers;
    QList<TFileDialogSetup> FileDialogs;  // every file dialog as it was set up

    bool ClipboardText = false;
    bool ClipboardFails = false;  // the clipboard query raises an error
    QList<QPair<unsigned, QVariant>> HelpCommands;
    QList<int> HelpContexts;
    QStringList OpenedUrls;

    TModalResult MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons) override;
    void ShowMessage(const QString &text) override;
    void ErrorReport(const QString &text) override;
    TInputResult InputQuery(const QString &caption, const QString &prompt, const QString &value) override;
    TFileDialogResult OpenFileDialog(const TFileDialogSetup &setup) override;
    TFileDialogResult SaveFileDialog(const TFileDialogSetup &setup) override;
    int ShowModal(QDialog &dialog) override;
    void HelpCommand(unsigned command, const QVariant &data) override;
    void HelpContext(int context) override;
    void ShellOpen(const QString &url) override;
    bool ClipboardHasText() override;

private:
    // Records the call and gives the next queued answer, or `unanswered` after failing the test.
    template <class T>
    T Answer(std::deque<T> &queue, const TSeamCall &call, T unanswered);
    void Acknowledge(const QString &kind, const QString &text);
};
