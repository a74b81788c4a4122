#pragma once
// A seam for the benchmarks: it asks the user nothing, answers every question with
// Yes or OK, every save dialog with one name, and hands the program's own dialogs to
// a function the benchmark gives, so commands run through as a user would let them.
#include <QDialog>
#include <functional>

#include "platformseam.h"

class TBenchSeam : public TPlatformSeam {
public:
    QString SaveName;
    int FilterIndex = 1;
    int Messages = 0;
    std::function<int(QDialog &)> Dialogs = [](QDialog &) { return int(QDialog::Rejected); };

    TModalResult MessageDlg(const QString &, TMsgDlgType, TMsgDlgButtons buttons) override
    {
        ++Messages;
        return buttons.testFlag(TMsgDlgBtn::mbYes) ? TModalResult::mrYes : TModalResult::mrOK;
    }
    void ShowMessage(const QString &) override {}
    void ErrorReport(const QString &) override {}
    TInputResult InputQuery(const QString &, const QString &, const QString &value) override { return {false, value}; }
    TFileDialogResult OpenFileDialog(const TFileDialogSetup &) override { return {}; }
    TFileDialogResult SaveFileDialog(const TFileDialogSetup &) override { return {true, SaveName, FilterIndex}; }
    int ShowModal(QDialog &dialog) override { return Dialogs(dialog); }
    void HelpCommand(unsigned, const QVariant &) override {}
    void HelpContext(int) override {}
    void ShellOpen(const QString &) override {}
    bool ClipboardHasText() override { return false; }
};
