// TKelmorFrm: the help, web and about commands and the commands that do nothing. The
// help topics (Hilfethemen1Click), the help index (InderHilfesuchen1Click), help on
// the help (Hilfeverwenden1Click), F1 (ContextHelp), the web page offer
// (WeitereInfosundUpdates1Click), About (Infober1Click), the view toggles
// (Symbolleiste1Click, Statusleiste1Click) and the language items (SwitchLanguage).
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>

#include "aboutbox.h"
#include "kelmorfrm.h"
#include "webpages.h"

namespace {

// The topic of the page on using the help.
const QString kHelpOnHelpTopic = QStringLiteral("HilfeVerwenden");

// F1 in an open menu asks for the highlighted item's help, and no item has a topic
// of its own.
class TMenuHelpKey : public QObject {
public:
    TMenuHelpKey(TKelmorFrm &window) : QObject(&window), FWindow(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->key() != Qt::Key_F1)
            return QObject::eventFilter(watched, event);
        // The menus close first, as help is a window of its own.
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        FWindow.ContextHelp(nullptr);
        return true;
    }

private:
    TKelmorFrm &FWindow;
};

}  // namespace

void TKelmorFrm::BuildHelpKeys()
{
    auto *helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    helpKey->setObjectName(QStringLiteral("HelpKey"));
    // The window's own key: F1 in a dialog or the help window does not reach it.
    helpKey->setContext(Qt::WindowShortcut);
    connect(helpKey, &QShortcut::activated, this, [this] {
        QWidget *focused = focusWidget();
        ContextHelp(focused != nullptr ? focused : this);
    });
    auto *menuHelpKey = new TMenuHelpKey(*this);
    for (QMenu *menu : findChildren<QMenu *>())
        menu->installEventFilter(menuHelpKey);
}

void TKelmorFrm::ContextHelp(QObject *Sender)
{
    // Inside a menu there is no focused element, and the number is 0.
    FSeam->HelpContext(Sender != nullptr ? HelpContextOf(Sender) : 0);
}

void TKelmorFrm::Hilfethemen1Click(QObject *)
{
    FSeam->HelpCommand(HELP_CONTENTS, 0);
}

void TKelmorFrm::InderHilfesuchen1Click(QObject *)
{
    FSeam->HelpCommand(HELP_KEY, QString());
}

void TKelmorFrm::Hilfeverwenden1Click(QObject *)
{
    FSeam->HelpCommand(HELP_CONTEXT, kHelpOnHelpTopic);
}

void TKelmorFrm::WeitereInfosundUpdates1Click(QObject *)
{
    const TModalResult answer = FSeam->MessageDlg(
        QStringLiteral("Möchten Sie sich jetzt über Ihren lokalen Provider\rmit der Kelmor-Webseite verbinden?"),
        TMsgDlgType::mtConfirmation, TMsgDlgBtn::mbYes | TMsgDlgBtn::mbNo);
    if (answer == TModalResult::mrYes)
        FSeam->ShellOpen(kKelmorWebPage);
}

void TKelmorFrm::Infober1Click(QObject *)
{
    if (AboutBox != nullptr) {
        AboutBox->ShowProgramPicture();
        FSeam->ShowModal(*AboutBox);
    }
}

// A click on a checkable item toggles its mark before the command runs; these
// commands change nothing, so the marks go back to where start-up put them.
void TKelmorFrm::Symbolleiste1Click(QObject *)
{
    Symbolleiste1->setChecked(true);
}

void TKelmorFrm::Statusleiste1Click(QObject *)
{
    Statusleiste1->setChecked(true);
}

void TKelmorFrm::SwitchLanguage(QObject *)
{
    Deutsch1->setChecked(true);
}
