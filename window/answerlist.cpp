#include "answerlist.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTimer>

namespace {

class TAnswerDelegate : public QStyledItemDelegate {
public:
    explicit TAnswerDelegate(TAnswerList *list) : QStyledItemDelegate(list), FList(list) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setMaxLength(TAnswerList::kMaxAnswerLength);
        connect(editor, &QLineEdit::textEdited, FList, &TAnswerList::EditorTextEdited);
        return editor;
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        // In the palette's own colours, so that it reads in a dark scheme too.
        if (index.data(TAnswerList::kRightAnswerRole).toBool()) {
            option->font.setBold(true);
            option->text = QStringLiteral("\u2713 ") + option->text;
        }
    }

private:
    TAnswerList *FList;
};

}  // namespace

TAnswerList::TAnswerList(QWidget *parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemSelectionChanged, this, [this] { ++FSelectionChanges; });
    // Editing starts only where EditRow says.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new TAnswerDelegate(this));
    FEditTimer = new QTimer(this);
    FEditTimer->setSingleShot(true);
    connect(FEditTimer, &QTimer::timeout, this, [this] {
        if (FPressedSelectedRow >= 0 && FPressedSelectedRow == SelectedRow())
            EditRow(FPressedSelectedRow);
        FPressedSelectedRow = -1;
    });
}

TAnswerList::~TAnswerList()
{
    EndDrag();
}

int TAnswerList::RowAt(QPoint pos) const
{
    if (!viewport()->rect().contains(pos))
        return -1;
    const QListWidgetItem *answer = itemAt(pos);
    return answer != nullptr ? row(answer) : -1;
}

int TAnswerList::SelectedRow() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.constFirst());
}

void TAnswerList::BeginDrag()
{
    FDragging = true;
}

void TAnswerList::RemoveRow(int row)
{
    delete takeItem(row);
    selectionModel()->clear();
}

void TAnswerList::MoveRow(int from, int to)
{
    QListWidgetItem *answer = takeItem(from);
    insertItem(to, answer);
    selectionModel()->clear();
}

bool TAnswerList::MoveSelectedBy(int step)
{
    const int from = SelectedRow();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= count())
        return false;
    MoveRow(from, to);
    setCurrentRow(to);
    return true;
}

void TAnswerList::EditRow(int row)
{
    QListWidgetItem *answer = item(row);
    if (answer == nullptr)
        return;
    answer->setFlags(answer->flags() | Qt::ItemIsEditable);
    FEditedIndex = indexFromItem(answer);
    FTextBeforeEdit = answer->text();
    editItem(answer);
}

void TAnswerList::commitData(QWidget *editor)
{
    QListWidget::commitData(editor);
    if (FEditedIndex.isValid() && FEditedIndex.data().toString() != FTextBeforeEdit) {
        FTextBeforeEdit = FEditedIndex.data().toString();
        emit AnswerEdited(FEditedIndex.row());
    }
}

void TAnswerList::EditAfterClick(QPoint releasedAt)
{
    if (FPressedSelectedRow >= 0 && RowAt(releasedAt) == FPressedSelectedRow)
        FEditTimer->start(QApplication::doubleClickInterval());
    else
        FPressedSelectedRow = -1;
}

template <class Handling>
void TAnswerList::AsUserInput(Handling handling, int pressedRow)
{
    const int before = FSelectionChanges;
    handling();
    if (FSelectionChanges != before || (pressedRow >= 0 && SelectedRow() == pressedRow))
        emit Click();
}

void TAnswerList::keyPressEvent(QKeyEvent *event)
{
    if (FDragging && event->key() == Qt::Key_Escape) {
        EndDrag();
        event->accept();
        return;
    }
    // Del removes the answer with any modifier, Shift+Del (cut on this desktop)
    // included.
    FEditTimer->stop();
    emit KeyDown(event->key(), event->modifiers());
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier && !FDragging) {
        if (SelectedRow() >= 0)
            EditRow(SelectedRow());
        event->accept();
        return;
    }
    // Alt+Up and Alt+Down moved the answer; Qt's list would move the selection too.
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && (event->modifiers() & Qt::AltModifier)) {
        event->accept();
        return;
    }
    // The clipboard commands work on the edit fields only; Qt's list would copy
    // the selected answer on its own.
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Paste)) {
        event->accept();
        return;
    }
    AsUserInput([this, event] { QListWidget::keyPressEvent(event); }, -1);
}

void TAnswerList::Press(QMouseEvent *event, bool secondOfDouble)
{
    // A second button pressed during a drag ends it without a drop.
    EndDrag();
    const QPoint pos = event->position().toPoint();
    FEditTimer->stop();
    FPressedSelectedRow = !secondOfDouble && event->button() == Qt::LeftButton &&
                                  event->modifiers() == Qt::NoModifier && RowAt(pos) >= 0 && RowAt(pos) == SelectedRow()
                              ? RowAt(pos)
                              : -1;
    AsUserInput([this, event] { QListWidget::mousePressEvent(event); }, RowAt(pos));
    if (secondOfDouble && event->button() == Qt::LeftButton)
        emit DblClick();
    // The double click may have taken the answer away that was under the pointer.
    emit MouseDown(event->button(), event->modifiers(), RowAt(pos));
    if (FDragging)
        DragTo(pos);
}

void TAnswerList::mousePressEvent(QMouseEvent *event)
{
    Press(event, false);
}

void TAnswerList::mouseDoubleClickEvent(QMouseEvent *event)
{
    Press(event, true);
}

void TAnswerList::mouseMoveEvent(QMouseEvent *event)
{
    if (FDragging) {
        DragTo(event->position().toPoint());
        event->accept();
        return;
    }
    AsUserInput([this, event] { QListWidget::mouseMoveEvent(event); }, -1);
}

void TAnswerList::mouseReleaseEvent(QMouseEvent *event)
{
    // The release ends the drag and is not Qt's: Qt would select the answer under the
    // pointer, or with Ctrl take the selection away.
    if (FDragging && event->button() == Qt::LeftButton) {
        const QPoint pos = event->position().toPoint();
        DragTo(pos);
        const bool drop = FDropAccepted;
        EndDrag();
        if (drop)
            emit DragDrop(this, RowAt(pos));
        EditAfterClick(pos);
        event->accept();
        return;
    }
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        EditAfterClick(event->position().toPoint());
}

void TAnswerList::focusOutEvent(QFocusEvent *event)
{
    EndDrag();
    FEditTimer->stop();
    QListWidget::focusOutEvent(event);
}

void TAnswerList::hideEvent(QHideEvent *event)
{
    EndDrag();
    FEditTimer->stop();
    QListWidget::hideEvent(event);
}

void TAnswerList::DragTo(QPoint pos)
{
    bool accept = false;
    if (viewport()->rect().contains(pos))
        emit DragOver(this, RowAt(pos), accept);
    FDropAccepted = accept;
    const QCursor cursor(accept ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    if (FCursorOverridden) {
        QGuiApplication::changeOverrideCursor(cursor);
    } else {
        QGuiApplication::setOverrideCursor(cursor);
        FCursorOverridden = true;
    }
}

void TAnswerList::EndDrag()
{
    FDragging = false;
    FDropAccepted = false;
    if (FCursorOverridden) {
        QGuiApplication::restoreOverrideCursor();
        FCursorOverridden = false;
    }
}
