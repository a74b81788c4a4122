// TKelmorFrm: the commands of the menus, the toolbar and the context menu that neither
// bring documents in or out, move through the records, edit the answers, search nor
// help: the clipboard commands.
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
