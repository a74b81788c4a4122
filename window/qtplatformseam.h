#pragma once
// The platform seam on Qt's own dialogs, clipboard and desktop services.
#include <memory>

#include "platformseam.h"

class QFileDialog;
class QInputDialog;
class QMessageBox;
class QWidget;
class THelpWindow;

class TQtPlatformSeam : public TPlatformSeam {
public:
    // Dialogs are centred over `owner` when it is given.
    explicit TQtPlatformSeam(QWidget *owner = nullptr);
    ~TQtPlatformSeam() override;

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

    // The message boxes are built apart from running them, so that what they show can
    // be looked at without a user to close them.
    // MessageDlg's box: the type's caption and icon, the buttons asked for.
    static std::unique_ptr<QMessageBox> MakeMessageBox(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons,
                                                       QWidget *owner = nullptr);
    // The boxes with a lone OK button and the application title as caption:
    // ShowMessage's without an icon, ErrorReport's with the error icon.
    enum class TOkBox { PlainMessage, ErrorReport };
    static std::unique_ptr<QMessageBox> MakeMessageBox(const QString &text, TOkBox kind, QWidget *owner = nullptr);
    // InputQuery's box: caption, prompt, the value to edit, OK and Abbrechen.
    static std::unique_ptr<QInputDialog> MakeInputDialog(const QString &caption, const QString &prompt,
                                                         const QString &value, QWidget *owner = nullptr);
    // The answer of a box from MakeMessageBox that the user has closed.
    static TModalResult ResultOf(const QMessageBox &box, TMsgDlgButtons buttons);

    // The file dialogs likewise: an open or a save dialog for `setup`, and the
    // filter entry the user has chosen in it, counted from 1 as the setup counts
    // (0 when none is).
    enum class TFileDialogKind { Open, Save };
    static std::unique_ptr<QFileDialog> MakeFileDialog(const TFileDialogSetup &setup, TFileDialogKind kind,
                                                       QWidget *owner = nullptr);
    static int ChosenFilterIndex(const QFileDialog &dialog);

    // The window that help requests open, made by the first of them; none before.
    THelpWindow *HelpWindow() const { return FHelpWindow.get(); }

private:
    TFileDialogResult RunFileDialog(const TFileDialogSetup &setup, TFileDialogKind kind);

    QWidget *FOwner;
    std::unique_ptr<THelpWindow> FHelpWindow;
};
