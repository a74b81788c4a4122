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

void RunOkBox(QWidget *owner, QMessageBox::Icon icon, const QString &text)
{
    QMessageBox box(icon, ApplicationTitle(), WithLineBreaks(text), QMessageBox::NoButton, owner);
    box.addButton(MsgDlgButtonCaption(TMsgDlgBtn::mbOK), QMessageBox::AcceptRole);
    box.exec();
}

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

TModalResult TQtPlatformSeam::MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    QMessageBox box(IconOf(type), MsgDlgCaption(type), WithLineBreaks(text), QMessageBox::NoButton, FOwner);
    struct Choice {
        TMsgDlgBtn Button;
        QMessageBox::ButtonRole Role;
        TModalResult Result;
    };
    static constexpr Choice Choices[] = {
        {TMsgDlgBtn::mbYes, QMessageBox::YesRole, TModalResult::mrYes},
        {TMsgDlgBtn::mbNo, QMessageBox::NoRole, TModalResult::mrNo},
        {TMsgDlgBtn::mbOK, QMessageBox::AcceptRole, TModalResult::mrOK},
        {TMsgDlgBtn::mbCancel, QMessageBox::RejectRole, TModalResult::mrCancel},
    };
    QList<QPair<QAbstractButton *, TModalResult>> made;
    for (const Choice &c : Choices) {
        if (buttons.testFlag(c.Button))
            made.append({box.addButton(MsgDlgButtonCaption(c.Button), c.Role), c.Result});
    }
    box.exec();
    for (const auto &[button, result] : made) {
        if (box.clickedButton() == button)
            return result;
    }
    // Closed by the title bar or Escape.
    return buttons.testFlag(TMsgDlgBtn::mbCancel) ? TModalResult::mrCancel : TModalResult::mrNone;
}

void TQtPlatformSeam::ShowMessage(const QString &text)
{
    RunOkBox(FOwner, QMessageBox::NoIcon, text);
}

void TQtPlatformSeam::ErrorReport(const QString &text)
{
    RunOkBox(FOwner, QMessageBox::Critical, text);
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

void TQtPlatformSeam::HelpCommand(unsigned, const QVariant &)
{
    // No help file is installed with the program, so a request has nothing to show.
}

void TQtPlatformSeam::HelpContext(int)
{
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
