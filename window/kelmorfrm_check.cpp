// TKelmorFrm: the question check. Its window lists what is wrong with the questions
// and follows every change of the document; Export asks before it writes records the
// game would show wrongly.
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include "checkwindow.h"
#include "kelmorfrm.h"
#include "questioncheck.h"

namespace {

// Typing refreshes the list once it pauses, not with every key.
constexpr int kCheckPauseMs = 150;

}  // namespace

void TKelmorFrm::Fragenprfen1Click(QObject *)
{
    if (!FIsFileLoaded)
        return;
    if (FCheckWindow == nullptr) {
        FCheckWindow = new TCheckWindow(this);
        connect(FCheckWindow, &TCheckWindow::RecordChosen, this, [this](int index) {
            if (!FIsFileLoaded)
                return;
            GoToRecord(index);
            activateWindow();
        });
        auto *helpKey = new QShortcut(QKeySequence(Qt::Key_F1), FCheckWindow);
        connect(helpKey, &QShortcut::activated, this, [this] { FSeam->HelpContext(kCheckWindowHelpContext); });
        FCheckTimer = new QTimer(this);
        FCheckTimer->setSingleShot(true);
        FCheckTimer->setInterval(kCheckPauseMs);
        connect(FCheckTimer, &QTimer::timeout, this, [this] {
            // Nothing may unwind into Qt's timer; the list then waits for the next
            // change, and storing the record reports what went wrong.
            try {
                RefreshCheck();
            } catch (...) {
            }
        });
        // Beside the editor where the screen has room, so that the record a row leads
        // to is not hidden behind the list.
        QPoint at(frameGeometry().right() + 1, frameGeometry().top());
        if (const QScreen *s = screen()) {
            const QRect room = s->availableGeometry();
            if (at.x() + FCheckWindow->width() > room.right())
                at.setX(qMax(room.left(), room.right() + 1 - FCheckWindow->width()));
        }
        FCheckWindow->move(at);
    }
    RefreshCheck();
    FCheckWindow->show();
    FCheckWindow->raise();
    FCheckWindow->activateWindow();
}

void TKelmorFrm::DocumentCheckDue()
{
    if (FCheckWindow != nullptr && FCheckWindow->isVisible())
        FCheckTimer->start();
}

std::vector<TCheckFinding> TKelmorFrm::CheckWithForm()
{
    // The record on screen is checked as the form shows it; its buffer is put back
    // as it was, so that checking stores nothing.
    const TMirolaDatensatz stored = QFile->DatRec;
    std::vector<TCheckFinding> findings;
    try {
        WriteForm(QFile->DatRec);
        findings = CheckQuestions(*QFile);
    } catch (...) {
        QFile->DatRec = stored;
        throw;
    }
    QFile->DatRec = stored;
    return findings;
}

void TKelmorFrm::RefreshCheck()
{
    if (FCheckWindow == nullptr)
        return;
    if (FIsFileLoaded && QFile)
        FCheckWindow->ShowFindings(CheckWithForm());
    else
        FCheckWindow->Clear();
}

bool TKelmorFrm::ExportDespiteFindings()
{
    const std::vector<TCheckFinding> findings = CheckQuestions(*QFile);
    std::vector<const TCheckFinding *> wrong;
    for (const TCheckFinding &finding : findings) {
        if (ShowsWronglyInGame(finding.Kind) && (wrong.empty() || wrong.back()->Record != finding.Record))
            wrong.push_back(&finding);
    }
    if (wrong.empty())
        return true;
    const TCheckFinding &first = *wrong.front();
    const QString reason = QString::fromStdString(first.Reason);
    const QString text =
        wrong.size() == 1 ? QStringLiteral("Ein Datensatz würde im Spiel falsch angezeigt:\rDatensatz %1: %2.")
                                .arg(first.Record)
                                .arg(reason)
                          : QStringLiteral("%1 Datensätze würden im Spiel falsch angezeigt, zuerst\rDatensatz %2: %3.")
                                .arg(wrong.size())
                                .arg(first.Record)
                                .arg(reason);
    return FSeam->MessageDlg(
               text + QStringLiteral("\r\"Fragen prüfen\" (F7) listet alle Probleme.\rTrotzdem exportieren?"),
               TMsgDlgType::mtWarning, TMsgDlgBtn::mbYes | TMsgDlgBtn::mbNo) == TModalResult::mrYes;
}
