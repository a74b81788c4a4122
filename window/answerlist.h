#pragma once
// The answer list of the record form. It tells the window of key presses, mouse
// presses, double clicks, drags over it and drops on it, each with the row under the
// pointer, so that what they do to the answers is decided by the window's handlers.
//
// Dragging is the list's own, not the platform's: a press handler starts it at once
// with BeginDrag, it lasts while the button is held, and releasing the button over the
// list drops there if the drag-over handler accepted; off the list, or after Esc,
// nothing is dropped. Nothing outside the list takes part, and no nested event loop
// runs, so a test drives it with ordinary presses, moves and releases.
//
// F2, or a second click on the selected answer, edits it in place; the list shows
// the answer carrying kRightAnswerRole in bold behind a check mark.
#include <QListWidget>
#include <QPersistentModelIndex>

class QTimer;

class TAnswerList : public QListWidget {
    Q_OBJECT
public:
    // Where an answer keeps the OEM bytes it was shown from, so that a record only
    // looked at keeps bytes the window's code page lacks.
    static constexpr int kOriginalOemRole = Qt::UserRole;
    // Set on the answer that the record's right-answer letter names, so that the
    // letter can follow it when answers move.
    static constexpr int kRightAnswerRole = Qt::UserRole + 1;
    // An answer slot's capacity.
    static constexpr int kMaxAnswerLength = 34;

    explicit TAnswerList(QWidget *parent = nullptr);
    ~TAnswerList() override;

    // The row of the answer under a point of the list's client area; -1 over the empty
    // part below the answers or outside the list.
    int RowAt(QPoint pos) const;
    // The selected answer's row, or -1.
    int SelectedRow() const;

    // Only from a handler of MouseDown.
    void BeginDrag();
    bool Dragging() const { return FDragging; }

    // Both leave no answer selected. Qt would select a neighbour of an answer taken
    // out; the user did not choose it.
    void RemoveRow(int row);
    // Takes the answer out and puts it at `to` of the shortened list.
    void MoveRow(int from, int to);
    // Moves the selected answer one place up or down and keeps it selected, so that
    // the key that moved it can move it again; false when it is at that end already.
    bool MoveSelectedBy(int step);
    // Opens the editor on the answer in place.
    void EditRow(int row);

signals:
    // The user changed the selection, or pressed on an answer, with the mouse or the
    // keyboard. Selections the program makes are not reported.
    void Click();
    void DblClick();
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);
    // Also for the second press of a double click, after DblClick.
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int row);
    // `source` is the list the drag came from; the handler sets `accept`.
    void DragOver(QObject *source, int row, bool &accept);
    void DragDrop(QObject *source, int row);
    // Enter kept an edit in place that changed the answer's text.
    void AnswerEdited(int row);
    // The user changed the text in the editor of an answer.
    void EditorTextEdited(const QString &text);

protected:
    void commitData(QWidget *editor) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // Runs Qt's own handling of a press, a key or a move, and reports a selection the
    // user made with it.
    template <class Handling>
    void AsUserInput(Handling handling, int pressedRow);
    void Press(QMouseEvent *event, bool secondOfDouble);
    // Asks the drag-over handler about the point and shows the answer in the cursor.
    void DragTo(QPoint pos);
    void EndDrag();
    // A click on the answer that was selected before it opens the editor, unless it
    // becomes the first half of a double click, which takes the answer back.
    void EditAfterClick(QPoint releasedAt);

    bool FDragging = false;
    bool FDropAccepted = false;
    bool FCursorOverridden = false;
    int FSelectionChanges = 0;
    QTimer *FEditTimer = nullptr;
    int FPressedSelectedRow = -1;
    QPersistentModelIndex FEditedIndex;
    QString FTextBeforeEdit;
};
