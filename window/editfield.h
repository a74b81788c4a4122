#pragma once
// A single-line edit field of the record form. It reports the releases of a mouse
// button and the loss of focus to another control, opens the edit context menu in
// place of Qt's own, and lets that menu's shortcuts come before the main menu's. The
// undo and redo keys are the field's only while it has typing of its own to undo or
// redo; then they go on to the window's undo of the document.
#include <QLineEdit>

class QMenu;

class TEditField : public QLineEdit {
    Q_OBJECT
public:
    explicit TEditField(QWidget *parent = nullptr) : QLineEdit(parent) {}

    void SetPopupMenu(QMenu *menu) { FPopupMenu = menu; }
    QMenu *PopupMenu() const { return FPopupMenu; }

signals:
    void MouseUp();
    // The focus went to another control of the window. Opening a menu or switching
    // to another window is no exit: the field keeps its selection then.
    void Exit();
    // The undo or redo key took a step of the field's own typing.
    void OwnUndoRedo();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QAction *PopupItemFor(const QKeyEvent *event) const;

    QMenu *FPopupMenu = nullptr;
    // The focus came with a mouse press that has not reached the field yet.
    bool FEnteredByPress = false;
};
