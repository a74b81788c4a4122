#include "qtplatformseam.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include "helpwindow.h"

namespace {

// The messages write a line break as a lone carriage return.
QString WithLineBreaks(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QMessageBox::Icon IconOf(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning:
        return QMessageBox::Warning;
    case TMsgDlgType::mtError:
        return QMessageBox::Critical;
    case TMsgDlgType::mtInformation:
        return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Each button has a role of its own, by which the box tells which one closed it.
struct TButtonChoice {
    TMsgDlgBtn Button;
    QMessageBox::ButtonRole Role;
    TModalResult Result;
};
constexpr TButtonChoice ButtonChoices[] = {
    {TMsgDlgBtn::mbYes, QMessageBox::YesRole, TModalResult::mrYes},
    {TMsgDlgBtn::mbNo, QMessageBox::NoRole, TModalResult::mrNo},
    {TMsgDlgBtn::mbOK, QMessageBox::AcceptRole, TModalResult::mrOK},
    {TMsgDlgBtn::mbCancel, QMessageBox::RejectRole, TModalResult::mrCancel},
};

// Qt reads a filter's patterns from the parentheses at its end.
QString QtFilterOf(const TFilterEntry &entry)
{
    const QString patterns = entry.Patterns.join(QLatin1Char(' '));
    const QString tail = QStringLiteral("(%1)").arg(patterns);
    if (entry.Description.endsWith(tail))
        return entry.Description;
    return QStringLiteral("%1 %2").arg(entry.Description, tail);
}

}  // namespace

TQtPlatformSeam::TQtPlatformSeam(QWidget *owner) : FOwner(owner) {}

TQtPlatformSeam::~TQtPlatformSeam() = default;

std::unique_ptr<QMessageBox> TQtPlatformSeam::MakeMessageBox(const QString &text, TMsgDlgType type,
                                                             TMsgDlgButtons buttons, QWidget *owner)
{
    auto box = std::make_unique<QMessageBox>(IconOf(type), MsgDlgCaption(type), WithLineBreaks(text),
                                             QMessageBox::NoButton, owner);
    for (const TButtonChoice &choice : ButtonChoices) {
        if (buttons.testFlag(choice.Button))
            box->addButton(MsgDlgButtonCaption(choice.Button), choice.Role);
    }
    return box;
}

std::unique_ptr<QMessageBox> TQtPlatformSeam::MakeMessageBox(const QString &text, TOkBox kind, QWidget *owner)
{
    const QMessageBox::Icon icon = kind == TOkBox::ErrorReport ? QMessageBox::Critical : QMessageBox::NoIcon;
    auto box = std::make_unique<QMessageBox>(icon, ApplicationTitle(), WithLineBreaks(text), QMessageBox::NoButton,
                                             owner);
    box->addButton(MsgDlgButtonCaption(TMsgDlgBtn::mbOK), QMessageBox::AcceptRole);
    return box;
}

TModalResult TQtPlatformSeam::ResultOf(const QMessageBox &box, TMsgDlgButtons buttons)
{
    if (QAbstractButton *clicked = box.clickedButton()) {
        const QMessageBox::ButtonRole role = box.buttonRole(clicked);
        for (const TButtonChoice &choice : ButtonChoices) {
            if (buttons.testFlag(choice.Button) && choice.Role == role)
                return choice.Result;
        }
    }
    // Closed by the title bar or Escape.
    return buttons.testFlag(TMsgDlgBtn::mbCancel) ? TModalResult::mrCancel : TModalResult::mrNone;
}

TModalResult TQtPlatformSeam::MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(text, type, buttons, FOwner);
    box->exec();
    return ResultOf(*box, buttons);
}

void TQtPlatformSeam::ShowMessage(const QString &text)
{
    MakeMessageBox(text, TOkBox::PlainMessage, FOwner)->exec();
}

void TQtPlatformSeam::ErrorReport(const QString &text)
{
    MakeMessageBox(text, TOkBox::ErrorReport, FOwner)->exec();
}

TInputResult TQtPlatformSeam::InputQuery(const QString &caption, const QString &prompt, const QString &value)
{
    QInputDialog dialog(FOwner);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(WithLineBreaks(prompt));
    dialog.setTextValue(value);
    dialog.setOkButtonText(MsgDlgButtonCaption(TMsgDlgBtn::mbOK));
    dialog.setCancelButtonText(MsgDlgButtonCaption(TMsgDlgBtn::mbCancel));
    const bool ok = dialog.exec() == QDialog::Accepted;
    return {ok, ok ? dialog.textValue() : value};
}

TFileDialogResult TQtPlatformSeam::OpenFileDialog(const TFileDialogSetup &setup)
{
    return RunFileDialog(setup, false);
}

TFileDialogResult TQtPlatformSeam::SaveFileDialog(const TFileDialogSetup &setup)
{
    return RunFileDialog(setup, true);
}

TFileDialogResult TQtPlatformSeam::RunFileDialog(const TFileDialogSetup &setup, bool save)
{
    QFileDialog dialog(FOwner, setup.Title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!setup.Options.testFlag(TOpenOption::ofOverwritePrompt))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters;
    for (const TFilterEntry &entry : ParseFileFilter(setup.Filter))
        filters.append(QtFilterOf(entry));
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = qBound(1, setup.FilterIndex, static_cast<int>(filters.size()));
        dialog.selectNameFilter(filters.at(index - 1));
    }
    // A default extension may be written as a pattern ("*.RAF"); the dialog wants
    // the bare suffix, and files on this system carry it in small letters.
    QString suffix = setup.DefaultExt;
    if (suffix.startsWith(QStringLiteral("*.")))
        suffix = suffix.mid(2).toLower();
    if (!suffix.isEmpty())
        dialog.setDefaultSuffix(suffix);
    if (!setup.FileName.isEmpty())
        dialog.selectFile(setup.FileName);

    TFileDialogResult result;
    result.FilterIndex = setup.FilterIndex;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return result;
    result.Accepted = true;
    result.FileName = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
    if (chosen >= 0)
        result.FilterIndex = static_cast<int>(chosen) + 1;
    return result;
}

int TQtPlatformSeam::ShowModal(QDialog &dialog)
{
    return dialog.exec();
}

void TQtPlatformSeam::HelpCommand(unsigned command, const QVariant &data)
{
    // The help window lists the shortcuts of the owner's menus.
    if (!FHelpWindow)
        FHelpWindow = std::make_unique<THelpWindow>(FOwner);
    FHelpWindow->HelpCommand(command, data);
}

void TQtPlatformSeam::HelpContext(int context)
{
    HelpCommand(HELP_CONTEXT, context);
}

void TQtPlatformSeam::ShellOpen(const QString &url)
{
    QDesktopServices::openUrl(QUrl(url));
}

bool TQtPlatformSeam::ClipboardHasText()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}
