// TKelmorFrm: the clipboard commands of the menu, the toolbar and the edit fields'
// context menu (cut, copy, paste and delete), and the field they act on.
#include "editfield.h"
#include "kelmorfrm.h"

TEditField *TKelmorFrm::FocusedEditField() const
{
    if (!FIsFileLoaded)
        return nullptr;
    QWidget *focused = focusWidget();
    for (TEditField *field : {Question1, Question2, Question3, CommentEdit, AnswerEdit}) {
        if (field == focused)
            return field;
    }
    return nullptr;
}

// The clipboard commands own Ctrl+X, C, V and D, so they must do what the keys
// promise in the field that has the focus; elsewhere they do nothing.
void TKelmorFrm::Ausschneiden1Click(QObject *)
{
    if (TEditField *field = FocusedEditField(); field && field->hasSelectedText())
        field->cut();
}

void TKelmorFrm::Kopieren1Click(QObject *)
{
    if (TEditField *field = FocusedEditField(); field && field->hasSelectedText())
        field->copy();
}

void TKelmorFrm::Einfgen1Click(QObject *)
{
    if (TEditField *field = FocusedEditField())
        field->paste();  // cut to the field's maximum length by the field itself
}

void TKelmorFrm::Lschen1Click(QObject *)
{
    if (TEditField *field = FocusedEditField(); field && field->hasSelectedText())
        field->del();
}
