#include "qtplatformseam.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>

#include "helpwindow.h"
#include "recentfiles.h"

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
    case TMsgDlgType::mtWarning: return QMessageBox::Warning;
    case TMsgDlgType::mtError: return QMessageBox::Critical;
    case TMsgDlgType::mtInformation: return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Each button has a role of its own, by which the box tells which one closed it.
struct TButtonChoice {
    TMsgDlgBtn Button;
    QMessageBox::ButtonRole Role;
    TModalResult Result;
};
constexpr TButtonChoice kButtonChoices[] = {
    {TMsgDlgBtn::mbYes, QMessageBox::YesRole, TModalResult::mrYes},
    {TMsgDlgBtn::mbNo, QMessageBox::NoRole, TModalResult::mrNo},
    {TMsgDlgBtn::mbOK, QMessageBox::AcceptRole, TModalResult::mrOK},
    {TMsgDlgBtn::mbCancel, QMessageBox::RejectRole, TModalResult::mrCancel},
};

// Qt reads a filter's patterns from the parentheses at its end. Where the dialog
// hides those, it shows what stands before them, so every entry gets a list of
// its own there and keeps its description whole ("Alle Dateien (*.*)"). Where it
// shows them, a description that ends in its own patterns is not given them twice.
QString QtFilterOf(const TFilterEntry &entry, bool patternsHidden)
{
    const QString patterns = entry.Patterns.join(QLatin1Char(' '));
    const QString tail = QStringLiteral("(%1)").arg(patterns);
    if (!patternsHidden && entry.Description.endsWith(tail))
        return entry.Description;
    return QStringLiteral("%1 %2").arg(entry.Description, tail);
}

// A message quotes file names, search terms and file contents: Qt would guess
// markup in them, draw "<b>" bold, make "<a href>" a link to the browser and load
// the picture of an "<img>".
void ShowAsText(QMessageBox &box)
{
    box.setTextFormat(Qt::PlainText);
}

}  // namespace

TQtPlatformSeam::TQtPlatformSeam(QWidget *owner) : FOwner(owner) {}

TQtPlatformSeam::~TQtPlatformSeam() = default;

std::unique_ptr<QMessageBox> TQtPlatformSeam::MakeMessageBox(const QString &text, TMsgDlgType type,
                                                             TMsgDlgButtons buttons, QWidget *owner)
{
    auto box = std::make_unique<QMessageBox>(IconOf(type), MsgDlgCaption(type), WithLineBreaks(text),
                                             QMessageBox::NoButton, owner);
    ShowAsText(*box);
    for (const TButtonChoice &choice : kButtonChoices) {
        if (buttons.testFlag(choice.Button))
            box->addButton(MsgDlgButtonCaption(choice.Button), choice.Role);
    }
    return box;
}

std::unique_ptr<QMessageBox> TQtPlatformSeam::MakeMessageBox(const QString &text, TOkBox kind, QWidget *owner)
{
    const QMessageBox::Icon icon = kind == TOkBox::ErrorReport ? QMessageBox::Critical : QMessageBox::NoIcon;
    auto box =
        std::make_unique<QMessageBox>(icon, ApplicationTitle(), WithLineBreaks(text), QMessageBox::NoButton, owner);
    ShowAsText(*box);
    box->addButton(MsgDlgButtonCaption(TMsgDlgBtn::mbOK), QMessageBox::AcceptRole);
    return box;
}

TModalResult TQtPlatformSeam::ResultOf(const QMessageBox &box, TMsgDlgButtons buttons)
{
    if (QAbstractButton *clicked = box.clickedButton()) {
        const QMessageBox::ButtonRole role = box.buttonRole(clicked);
        for (const TButtonChoice &choice : kButtonChoices) {
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

std::unique_ptr<QInputDialog> TQtPlatformSeam::MakeInputDialog(const QString &caption, const QString &prompt,
                                                               const QString &value, QWidget *owner)
{
    auto dialog = std::make_unique<QInputDialog>(owner);
    dialog->setWindowTitle(caption);
    dialog->setLabelText(WithLineBreaks(prompt));
    // The box offers no setting of its own for the prompt's format; its one label
    // exists once the prompt is set.
    if (auto *label = dialog->findChild<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    dialog->setTextValue(value);
    dialog->setOkButtonText(MsgDlgButtonCaption(TMsgDlgBtn::mbOK));
    dialog->setCancelButtonText(MsgDlgButtonCaption(TMsgDlgBtn::mbCancel));
    return dialog;
}

TInputResult TQtPlatformSeam::InputQuery(const QString &caption, const QString &prompt, const QString &value)
{
    const std::unique_ptr<QInputDialog> dialog = MakeInputDialog(caption, prompt, value, FOwner);
    const bool ok = dialog->exec() == QDialog::Accepted;
    return {ok, ok ? dialog->textValue() : value};
}

TFileDialogResult TQtPlatformSeam::OpenFileDialog(const TFileDialogSetup &setup)
{
    return RunFileDialog(setup, TFileDialogKind::Open);
}

TFileDialogResult TQtPlatformSeam::SaveFileDialog(const TFileDialogSetup &setup)
{
    return RunFileDialog(setup, TFileDialogKind::Save);
}

std::unique_ptr<QFileDialog> TQtPlatformSeam::MakeFileDialog(const TFileDialogSetup &setup, TFileDialogKind kind,
                                                             QWidget *owner)
{
    const bool save = kind == TFileDialogKind::Save;
    auto dialog = std::make_unique<QFileDialog>(owner, setup.Title);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!setup.Options.testFlag(TOpenOption::ofOverwritePrompt))
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    // The open dialog's descriptions name their patterns themselves, and the first
    // names fewer than it matches ("Mirola Fragetexte (*.mfd)" for .mfd and .dat):
    // Qt's list of the patterns would stand beside them as a second one. The option
    // is set before the filters, which Qt lays out by it.
    const bool patternsHidden = !save;
    dialog->setOption(QFileDialog::HideNameFilterDetails, patternsHidden);
    QStringList filters;
    for (const TFilterEntry &entry : ParseFileFilter(setup.Filter))
        filters.append(QtFilterOf(entry, patternsHidden));
    if (!filters.isEmpty()) {
        dialog->setNameFilters(filters);
        const int index = qBound(1, setup.FilterIndex, static_cast<int>(filters.size()));
        dialog->selectNameFilter(filters.at(index - 1));
    }
    // A default extension may be written as a pattern ("*.RAF"); the dialog wants
    // the bare suffix, and files on this system carry it in small letters.
    QString suffix = setup.DefaultExt;
    if (suffix.startsWith(QStringLiteral("*.")))
        suffix = suffix.mid(2).toLower();
    if (!suffix.isEmpty()) {
        dialog->setDefaultSuffix(suffix);
        // A name typed for one entry gets that entry's extension: a table chosen in the
        // export dialog must not be named ".raf".
        QFileDialog *const shown = dialog.get();
        QObject::connect(shown, &QFileDialog::filterSelected, shown, [shown](const QString &filter) {
            static const QRegularExpression kFirstPattern(QStringLiteral("\\*\\.(\\w+)"));
            if (const QRegularExpressionMatch match = kFirstPattern.match(filter); match.hasMatch())
                shown->setDefaultSuffix(match.captured(1).toLower());
        });
    }
    if (!setup.FileName.isEmpty())
        dialog->selectFile(setup.FileName);
    // The folder the file dialogs were in last: the next dialog that proposes no name
    // starts there, in this run and the next.
    else if (const QString folder = DialogFolder(); !folder.isEmpty())
        dialog->setDirectory(folder);
    return dialog;
}

int TQtPlatformSeam::ChosenFilterIndex(const QFileDialog &dialog)
{
    // By position, never by text: with the patterns hidden Qt gives the shortened
    // caption as the chosen filter, and two entries may share their patterns. Qt's
    // own dialog keeps its entries in this list; a desktop's dialog, where Qt has
    // none, reports the whole filter it was given.
    if (const auto *entries = dialog.findChild<const QComboBox *>(QStringLiteral("fileTypeCombo")))
        return entries->currentIndex() + 1;
    return static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter())) + 1;
}

TFileDialogResult TQtPlatformSeam::RunFileDialog(const TFileDialogSetup &setup, TFileDialogKind kind)
{
    const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(setup, kind, FOwner);
    TFileDialogResult result;
    result.FilterIndex = setup.FilterIndex;
    const bool accepted = dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty();
    const QString fileName = accepted ? dialog->selectedFiles().constFirst() : QString();
    SetDialogFolder(accepted ? QFileInfo(fileName).absolutePath() : dialog->directory().absolutePath());
    if (!accepted)
        return result;
    result.Accepted = true;
    result.FileName = QDir::toNativeSeparators(fileName);
    if (const int chosen = ChosenFilterIndex(*dialog); chosen > 0)
        result.FilterIndex = chosen;
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
