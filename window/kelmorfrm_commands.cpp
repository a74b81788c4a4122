// TKelmorFrm: the commands of the menus, the toolbar, the context menu and the answer
// buttons. The document commands (new, open, save, save as, export, close, exit,
// file information), the clipboard and answer commands, the record commands, go to,
// find, the help, web and about commands and the view and language items.
#include "kelmorfrm.h"

void TKelmorFrm::Neu1Click(QObject *) {}
void TKelmorFrm::ffnen1Click(QObject *) {}
void TKelmorFrm::Speichern1Click(QObject *) {}
void TKelmorFrm::Speichernunter1Click(QObject *) {}
void TKelmorFrm::Exportieren1Click(QObject *) {}
void TKelmorFrm::Schlieen1Click(QObject *) {}
void TKelmorFrm::Beenden1Click(QObject *) {}
void TKelmorFrm::Ausschneiden1Click(QObject *) {}
void TKelmorFrm::Kopieren1Click(QObject *) {}
void TKelmorFrm::Einfgen1Click(QObject *) {}
void TKelmorFrm::Lschen1Click(QObject *) {}
void TKelmorFrm::Dateiinformationen1Click(QObject *) {}
void TKelmorFrm::DataControlClick(QObject *) {}
void TKelmorFrm::Gehezu1Click(QObject *) {}
void TKelmorFrm::Suchen1Click(QObject *) {}
void TKelmorFrm::Weitersuchen1Click(QObject *) {}
void TKelmorFrm::Symbolleiste1Click(QObject *) {}
void TKelmorFrm::Statusleiste1Click(QObject *) {}
void TKelmorFrm::InderHilfesuchen1Click(QObject *) {}
void TKelmorFrm::Hilfethemen1Click(QObject *) {}
void TKelmorFrm::SwitchLanguage(QObject *) {}
void TKelmorFrm::WeitereInfosundUpdates1Click(QObject *) {}
void TKelmorFrm::Infober1Click(QObject *) {}
void TKelmorFrm::AddAnswerButtonClick(QObject *) {}
void TKelmorFrm::DeleteAnswerButtonClick(QObject *) {}
void TKelmorFrm::AnswersDblClick(QObject *) {}
