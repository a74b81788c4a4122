#pragma once
// A platform seam for tests: it records every question the window asks and answers
// it from what the test queued; a question that nothing was queued for fails the test.
#include <QList>
#include <QString>
#include <deque>

#include "platformseam.h"

struct TSeamCall {
    QString Kind;     // "MessageDlg", "ShowMessage", "ErrorReport", "InputQuery", "OpenFile", "SaveFile"
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

    bool ClipboardText = false;
    bool ClipboardFails = false;  // the clipboard query raises an error
    QList<QPair<unsigned, std::uintptr_t>> HelpCommands;
    QList<int> HelpContexts;
    QStringList OpenedUrls;

    TModalResult MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons) override;
    void ShowMessage(const QString &text) override;
    void ErrorReport(const QString &text) override;
    TInputResult InputQuery(const QString &caption, const QString &prompt, const QString &value) override;
    TFileDialogResult OpenFileDialog(const TFileDialogSetup &setup) override;
    TFileDialogResult SaveFileDialog(const TFileDialogSetup &setup) override;
    void HelpCommand(unsigned command, std::uintptr_t data) override;
    void HelpContext(int context) override;
    void ShellOpen(const QString &url) override;
    bool ClipboardHasText() override;

private:
    // Records the call and gives the next queued answer, or `unanswered` after failing the test.
    template <class T>
    T Answer(std::deque<T> &queue, const TSeamCall &call, T unanswered);
    void Acknowledge(const QString &kind, const QString &text);
};
