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

bool TEditField::event(QEvent *event)
{
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
