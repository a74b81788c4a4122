#include "scriptedseam.h"

#include <QTest>

#include "errors.h"

namespace {
void Unexpected(const TSeamCall &call)
{
    QTest::qFail(qPrintable(QStringLiteral("unexpected %1 \"%2\"").arg(call.Kind, call.Text)), __FILE__, __LINE__);
}
}  // namespace

TModalResult TScriptedSeam::MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    Calls.append({QStringLiteral("MessageDlg"), MsgDlgCaption(type), text, type, buttons});
    if (DlgAnswers.empty()) {
        Unexpected(Calls.constLast());
        return TModalResult::mrCancel;
    }
    const TModalResult answer = DlgAnswers.front();
    DlgAnswers.pop_front();
    return answer;
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
    Calls.append({QStringLiteral("InputQuery"), caption, prompt, TMsgDlgType::mtInformation,
                  TMsgDlgBtn::mbOK | TMsgDlgBtn::mbCancel});
    if (InputAnswers.empty()) {
        Unexpected(Calls.constLast());
        return {false, value};
    }
    const TInputResult answer = InputAnswers.front();
    InputAnswers.pop_front();
    return answer;
}

TFileDialogResult TScriptedSeam::OpenFileDialog(const TFileDialogSpec &spec)
{
    Calls.append({QStringLiteral("OpenFile"), spec.Title, spec.Filter, TMsgDlgType::mtInformation, {}});
    if (FileAnswers.empty()) {
        Unexpected(Calls.constLast());
        return {};
    }
    const TFileDialogResult answer = FileAnswers.front();
    FileAnswers.pop_front();
    return answer;
}

TFileDialogResult TScriptedSeam::SaveFileDialog(const TFileDialogSpec &spec)
{
    Calls.append({QStringLiteral("SaveFile"), spec.Title, spec.Filter, TMsgDlgType::mtInformation, {}});
    if (FileAnswers.empty()) {
        Unexpected(Calls.constLast());
        return {};
    }
    const TFileDialogResult answer = FileAnswers.front();
    FileAnswers.pop_front();
    return answer;
}

void TScriptedSeam::HelpCommand(unsigned command, std::uintptr_t data)
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
