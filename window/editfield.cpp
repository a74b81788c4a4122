#include "editfield.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

QAction *TEditField::PopupItemFor(const QKeyEvent *event) const
{
    if (FPopupMenu == nullptr)
        return nullptr;
    const QKeySequence pressed(event->keyCombination());
    for (QAction *item : FPopupMenu->actions()) {
        if (item->isEnabled() && !item->shortcut().isEmpty() && item->shortcut() == pressed)
            return item;
    }
    return nullptr;
}

namespace {

enum class THistoryKey { None, Undo, Redo };

THistoryKey HistoryKeyOf(const QKeyEvent *event)
{
    const QKeySequence pressed(event->keyCombination());
    if (pressed == QKeySequence(Qt::CTRL | Qt::Key_Z))
        return THistoryKey::Undo;
    if (pressed == QKeySequence(Qt::CTRL | Qt::Key_Y) || pressed == QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z))
        return THistoryKey::Redo;
    return THistoryKey::None;
}

}  // namespace

bool TEditField::event(QEvent *event)
{
    // Qt's field takes the undo and redo keys even with nothing of its own to undo;
    // the document's undo needs them then.
    if (event->type() == QEvent::ShortcutOverride) {
        const THistoryKey key = HistoryKeyOf(static_cast<QKeyEvent *>(event));
        if ((key == THistoryKey::Undo && !isUndoAvailable()) || (key == THistoryKey::Redo && !isRedoAvailable())) {
            event->ignore();
            return false;
        }
        if (key != THistoryKey::None) {
            event->accept();
            return true;
        }
    }
    // Claiming the key here keeps it from the window's shortcuts. A disabled item
    // claims nothing, and the key falls to the field's own editing keys.
    if (event->type() == QEvent::ShortcutOverride && PopupItemFor(static_cast<QKeyEvent *>(event)) != nullptr) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void TEditField::keyPressEvent(QKeyEvent *event)
{
    if (QAction *item = PopupItemFor(event)) {
        item->trigger();
        event->accept();
        return;
    }
    // Not every desktop gives Qt's field all of the redo keys the window offers.
    switch (HistoryKeyOf(event)) {
    case THistoryKey::Undo:
        undo();
        event->accept();
        emit OwnUndoRedo();
        return;
    case THistoryKey::Redo:
        redo();
        event->accept();
        emit OwnUndoRedo();
        return;
    case THistoryKey::None: break;
    }
    QLineEdit::keyPressEvent(event);
}

void TEditField::mousePressEvent(QMouseEvent *event)
{
    // Qt moves the focus before it delivers the press, so by now the field has it
    // either way; only the focus-in can tell whether this press brought it.
    const bool entering = FEnteredByPress || !hasFocus();
    FEnteredByPress = false;
    QLineEdit::mousePressEvent(event);
    // Only the left button places the caret; a field entered any other way holds its
    // whole text selected, as one entered by the Tab key does.
    if (entering && event->button() != Qt::LeftButton)
        selectAll();
}

void TEditField::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    emit MouseUp();
}

void TEditField::contextMenuEvent(QContextMenuEvent *event)
{
    if (FPopupMenu == nullptr) {
        QLineEdit::contextMenuEvent(event);
        return;
    }
    if (!hasFocus()) {
        setFocus(Qt::OtherFocusReason);
        selectAll();
    }
    FPopupMenu->exec(event->globalPos());
    event->accept();
}

void TEditField::focusInEvent(QFocusEvent *event)
{
    FEnteredByPress = event->reason() == Qt::MouseFocusReason;
    QLineEdit::focusInEvent(event);
}

void TEditField::focusOutEvent(QFocusEvent *event)
{
    FEnteredByPress = false;
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        emit Exit();
}
