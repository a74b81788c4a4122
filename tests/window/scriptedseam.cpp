#include "scriptedseam.h"

#include <QDialog>
#include <QTest>

#include "errors.h"

namespace {
void Unexpected(const TSeamCall &call)
{
    QTest::qFail(qPrintable(QStringLiteral("unexpected %1 \"%2\"").arg(call.Kind, call.Text)), __FILE__, __LINE__);
}
}  // namespace

template <class T>
T TScriptedSeam::Answer(std::deque<T> &queue, const TSeamCall &call, T unanswered)
{
    Calls.append(call);
    if (queue.empty()) {
        Unexpected(call);
        return unanswered;
    }
    T answer = queue.front();
    queue.pop_front();
    return answer;
}

TModalResult TScriptedSeam::MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    return Answer(DlgAnswers, {QStringLiteral("MessageDlg"), MsgDlgCaption(type), text, type, buttons},
                  TModalResult::mrCancel);
}

void TScriptedSeam::Acknowledge(const QString &kind, const QString &text)
{
    Calls.append({kind, ApplicationTitle(), text, TMsgDlgType::mtInformation, TMsgDlgBtn::mbOK});
    if (Acknowledgements == 0)
        Unexpected(Calls.constLast());
    else
        --Acknowledgements;
}

void TScriptedSeam::ShowMessage(const QString &text)
{
    Acknowledge(QStringLiteral("ShowMessage"), text);
}

void TScriptedSeam::ErrorReport(const QString &text)
{
    Acknowledge(QStringLiteral("ErrorReport"), text);
}

TInputResult TScriptedSeam::InputQuery(const QString &caption, const QString &prompt, const QString &value)
{
    return Answer(InputAnswers,
                  {QStringLiteral("InputQuery"), caption, prompt, TMsgDlgType::mtInformation,
                   TMsgDlgBtn::mbOK | TMsgDlgBtn::mbCancel},
                  TInputResult{false, value});
}

TFileDialogResult TScriptedSeam::OpenFileDialog(const TFileDialogSetup &setup)
{
    FileDialogs.append(setup);
    return Answer(FileAnswers, {QStringLiteral("OpenFile"), setup.Title, setup.Filter, TMsgDlgType::mtInformation, {}},
                  TFileDialogResult{});
}

TFileDialogResult TScriptedSeam::SaveFileDialog(const TFileDialogSetup &setup)
{
    FileDialogs.append(setup);
    return Answer(FileAnswers, {QStringLiteral("SaveFile"), setup.Title, setup.Filter, TMsgDlgType::mtInformation, {}},
                  TFileDialogResult{});
}

int TScriptedSeam::ShowModal(QDialog &dialog)
{
    const std::function<int(QDialog &)> unanswered = [](QDialog &) { return int(QDialog::Rejected); };
    const auto answer =
        Answer(DialogAnswers,
               {QStringLiteral("ShowModal"), dialog.windowTitle(), dialog.objectName(), TMsgDlgType::mtInformation, {}},
               unanswered);
    return answer(dialog);
}

void TScriptedSeam::HelpCommand(unsigned command, const QVariant &data)
{
    HelpCommands.append({command, data});
}

void TScriptedSeam::HelpContext(int context)
{
    HelpContexts.append(context);
}

void TScriptedSeam::ShellOpen(const QString &url)
{
    OpenedUrls.append(url);
}

bool TScriptedSeam::ClipboardHasText()
{
    if (ClipboardFails)
        throw EMirolaError("Zwischenablage nicht verfügbar");
    return ClipboardText;
}
