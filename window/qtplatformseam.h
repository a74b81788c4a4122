#pragma once
// The platform seam on Qt's own dialogs, clipboard and desktop services.
#include "platformseam.h"

class QWidget;

class TQtPlatformSeam : public TPlatformSeam {
public:
    // Dialogs are centred over `owner` when it is given.
    explicit TQtPlatformSeam(QWidget *owner = nullptr) : FOwner(owner) {}

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
    TFileDialogResult RunFileDialog(const TFileDialogSetup &setup, bool save);

    QWidget *FOwner;
};
