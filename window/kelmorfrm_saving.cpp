// TKelmorFrm: documents going out. Save (Speichern1Click), Save As
// (Speichernunter1Click), Export (Exportieren1Click), the question before a changed
// document is replaced or closed (ConfirmChange), Close (Schlieen1Click), Exit
// (Beenden1Click) and every request to close the window (FormCloseQuery), the
// session's log-off included.
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>

#include "csvformat.h"
#include "filenames.h"
#include "filepaths.h"
#include "kelmorfrm.h"

namespace {

// The game finds its record files by this part of the name.
const QString kExportPrefix = QStringLiteral("MIROLA-");

bool HasExportPrefix(const QString &name)
{
    return AsciiUpper(name).contains(kExportPrefix);
}

}  // namespace

QString TKelmorFrm::AskSaveName(TFileDialogSetup &setup)
{
    const TFileDialogResult chosen = FSeam->SaveFileDialog(setup);
    if (!chosen.Accepted)
        return {};
    setup.FilterIndex = chosen.FilterIndex;
    return chosen.FileName;
}

bool TKelmorFrm::MayReplace(const std::string &localName)
{
    struct stat st {};
    return ::stat(localName.c_str(), &st) != 0 ||
           FSeam->MessageDlg(QStringLiteral("Die Datei \"%1\" ist bereits vorhanden.\rMöchten Sie sie ersetzen?")
                                 .arg(DisplayName(localName)),
                             TMsgDlgType::mtConfirmation, TMsgDlgBtn::mbYes | TMsgDlgBtn::mbNo) == TModalResult::mrYes;
}

bool TKelmorFrm::MayWriteOverDocumentFile(const std::string &fullLocalName)
{
    // A file deleted meanwhile is simply written again.
    if (!FFileStamp.IsOf(fullLocalName) || FFileStamp.Now() != TFileStamp::TState::Changed)
        return true;
    return FSeam->MessageDlg(QStringLiteral("Die Datei wurde seit dem Öffnen von einem anderen Programm geändert. "
                                            "Trotzdem speichern?"),
                             TMsgDlgType::mtConfirmation, TMsgDlgBtn::mbYes | TMsgDlgBtn::mbNo) == TModalResult::mrYes;
}

bool TKelmorFrm::SaveDocument()
{
    if (!FIsFileLoaded)
        return false;
    if (dokname == kUntitledName || FOpenedAsOtherFormat)
        return SaveDocumentAs();
    const std::string target = FullLocalPathOf(DocumentFile());
    if (!MayWriteOverDocumentFile(target))
        return false;
    // What was typed since the last record command belongs in the file too.
    StoreRecord();
    QFile->SaveToFile(target, ftTXT);
    MarkSaved();
    return true;
}

bool TKelmorFrm::SaveDocumentAs()
{
    if (!FIsFileLoaded)
        return false;
    SaveDialog1.Title = QStringLiteral("Fragedatei speichern...");
    SaveDialog1.Filter = QStringLiteral("Mirola Fragedatei (*.mfd)|*.mfd");
    SaveDialog1.FilterIndex = 1;
    // The dialog starts in the document's folder; a record file is proposed again as
    // a text file of the same name.
    std::string proposed;
    if (FOpenedAsOtherFormat) {
        const std::string file = DocumentFile();
        proposed = FullLocalPathOf(file.substr(0, file.size() - FileExtension(file).size()) + ".mfd");
    } else if (dokname != kUntitledName) {
        proposed = FullLocalPathOf(DocumentFile());
    }
    SaveDialog1.FileName = proposed.empty() ? QString() : DisplayName(proposed);
    const QString chosen = AskSaveName(SaveDialog1);
    if (chosen.isEmpty())
        return false;
    // The dialog knows names only as text, and a name whose bytes are no valid text
    // comes back from it changed: the name it proposed stands for those bytes.
    std::string name = !proposed.empty() && chosen == SaveDialog1.FileName ? proposed : LocalFileName(chosen);
    // Under any other extension the text would not open again as a question file.
    if (FileKindOf(name) != TFileKind::Text)
        name += ".mfd";
    if (!MayReplace(name) || !MayWriteOverDocumentFile(FullLocalPathOf(name)))
        return false;
    StoreRecord();
    QFile->SaveToFile(name, ftTXT);
    SetDocumentName(name);
    FOpenedAsOtherFormat = false;
    MarkSaved();
    setWindowTitle(DocumentCaption(dokname));
    return true;
}

void TKelmorFrm::Speichern1Click(QObject *)
{
    SaveDocument();
}

void TKelmorFrm::Speichernunter1Click(QObject *)
{
    SaveDocumentAs();
}

void TKelmorFrm::Exportieren1Click(QObject *)
{
    if (!FIsFileLoaded)
        return;
    SaveDialog2.Title = QStringLiteral("Fragedatei exportieren...");
    // Beside the document, under a name the game finds.
    SaveDialog2.FileName.clear();
    if (dokname != kUntitledName) {
        const QString base = DisplayName(BaseNameOf(LocalFileName(dokname)));
        const QString name = (HasExportPrefix(base) ? base : QStringLiteral("mirola-") + base) + QStringLiteral(".raf");
        SaveDialog2.FileName = QFileInfo(FullPathOf(dokname)).dir().filePath(name);
    }
    QString name = AskSaveName(SaveDialog2);
    if (name.isEmpty())
        return;
    if (SaveDialog2.FilterIndex == kSpreadsheetEntry) {
        ExportSpreadsheet(name);
        return;
    }
    // A file without its extension would not be offered by the open dialog again.
    if (ExtensionOf(name).isEmpty())
        name += QStringLiteral(".raf");
    if (!HasExportPrefix(name)) {
        FSeam->MessageDlg(QStringLiteral("Der Export wurde abgebrochen:\rMirola-RAF-Dateien müssen die Vorsilbe "
                                         "\"mirola-\"\rim Dateinamen haben!"),
                          TMsgDlgType::mtError, TMsgDlgBtn::mbYes);
        return;
    }
    tMirolaFType type;
    switch (SaveDialog2.FilterIndex) {
    case 1: type = ftRAF; break;
    case 2: type = ftWRAF; break;
    default: return;
    }
    // The check sees what the form shows, and what it sees is what goes out.
    StoreRecord();
    if (!ExportDespiteFindings() || !MayReplace(LocalFileName(name)))
        return;
    QFile->SaveToFile(LocalFileName(name), type);
}

void TKelmorFrm::ExportSpreadsheet(QString name)
{
    // A table is for the author, not for the game: no prefix, no check.
    if (ExtensionOf(name).isEmpty())
        name += QStringLiteral(".csv");
    StoreRecord();
    if (!MayReplace(LocalFileName(name)))
        return;
    WriteCsvFile(*QFile, LocalFileName(name));
}

bool TKelmorFrm::ConfirmChange(QObject *)
{
    if (!FIsChanged)
        return true;
    const TModalResult answer =
        FSeam->MessageDlg(QStringLiteral("Die Datei \"%1\" wurde geändert.\rÄnderungen speichern?").arg(dokname),
                          TMsgDlgType::mtConfirmation, TMsgDlgBtn::mbYes | TMsgDlgBtn::mbNo | TMsgDlgBtn::mbCancel);
    if (answer == TModalResult::mrCancel)
        return false;
    // Going on is safe only once the work is on disk; a save that fails raises its
    // error past this point and the caller keeps everything.
    if (answer == TModalResult::mrYes)
        return SaveDocument();
    return true;
}

void TKelmorFrm::Schlieen1Click(QObject *Sender)
{
    if (!FIsFileLoaded || !ConfirmChange(Sender))
        return;
    SetIsFileLoaded(false);
    StartHistory();
    QFile.reset();
    FFileStamp = {};
    FOpenedAsOtherFormat = false;
    // Nothing is left that could be saved.
    SetIsChanged(false);
}

void TKelmorFrm::Beenden1Click(QObject *)
{
    close();
}

void TKelmorFrm::FormCloseQuery(QObject *Sender, bool &CanClose)
{
    CanClose = ConfirmChange(Sender);
}

void TKelmorFrm::closeEvent(QCloseEvent *event)
{
    // Refused until the question says otherwise, so that an error on the way keeps
    // the window open.
    event->ignore();
    bool canClose = false;
    FormCloseQuery(this, canClose);
    if (canClose)
        event->accept();
}

void TKelmorFrm::SessionEnding(TLogOffRequest &request)
{
    if (!request.AllowsInteraction())
        return;
    bool canClose = false;
    try {
        FormCloseQuery(this, canClose);
    } catch (...) {
        request.Cancel();
        // Reported as any error of a command is, once the log-off has its answer.
        QMetaObject::invokeMethod(
            this, [error = std::current_exception()] { std::rethrow_exception(error); }, Qt::QueuedConnection);
        return;
    }
    if (!canClose)
        request.Cancel();
}
