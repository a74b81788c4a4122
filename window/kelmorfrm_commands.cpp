// TKelmorFrm: the commands of the menus, the toolbar and the context menu that neither
// bring documents in or out, move through the records, edit the answers nor search:
// the clipboard commands, the help, web and about commands and the view and language
// items.
#include "aboutbox.h"
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
void TKelmorFrm::Symbolleiste1Click(QObject *) {}
void TKelmorFrm::Statusleiste1Click(QObject *) {}
void TKelmorFrm::InderHilfesuchen1Click(QObject *) {}
void TKelmorFrm::Hilfethemen1Click(QObject *) {}
void TKelmorFrm::SwitchLanguage(QObject *) {}
void TKelmorFrm::WeitereInfosundUpdates1Click(QObject *) {}

void TKelmorFrm::Infober1Click(QObject *)
{
    if (AboutBox != nullptr)
        FSeam->ShowModal(*AboutBox);
}
