// TKelmorFrm: documents coming in. The command line (ProcessCommandLine), opening a
// file (OpenDoc, ffnen1Click), the recent files (ZuletztgeffnetClick), a new file
// (Neu1Click) and the file information (Dateiinformationen1Click).
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <sys/stat.h>

#include "csvformat.h"
#include "documenthistory.h"
#include "errors.h"
#include "filenames.h"
#include "filepaths.h"
#include "hinttracker.h"
#include "kelmorfrm.h"
#include "neuedatdlg.h"
#include "recentfiles.h"
#include "statistics.h"
#include "textedge.h"

namespace {

const QString kUsageMessage =
    QStringLiteral("Ungültiger Kommandozeilenparameter\rGültige Syntax:   KELMOR   [Optionen]   [DateiName]\r\r"
                   "[ Dateiname ] : Öffnet die Datei\r-h :    ruft die Hilfe zu Kelmor auf\r"
                   "-k :    konvertiert Datei von .DAT -> .RAF");

// A reader's message alone does not say which file it is about: the file's full
// name comes first, on a line of its own.
[[noreturn]] void RaiseOpenError(const std::string &fullLocalName, const std::string &message)
{
    throw EMirolaError(DisplayName(fullLocalName).toStdString() + "\r" + message);
}

// The header texts of `doc` into the dialog's fields.
void FillHeaderFields(TNeueDatDlg &dialog, const TMirolaFile &doc)
{
    TNeueDatDlg::SetFieldText(dialog.TitleEdit, OemToQString(doc.Title.view()));
    TNeueDatDlg::SetFieldText(dialog.AutorInfoEdit, OemToQString(doc.AutorInfo));
    TNeueDatDlg::SetFieldText(dialog.CopyrightInfoEdit, OemToQString(doc.CopyrightInfo));
}

// The dialog's fields into header texts; a text left as it was shown keeps its bytes.
void TakeHeaderFields(const TNeueDatDlg &dialog, THeaderTexts &texts)
{
    texts.Title = QStringToOemKeeping(dialog.TitleEdit->text(), texts.Title.view());  // cut to 36 bytes
    texts.AutorInfo = QStringToOemKeeping(dialog.AutorInfoEdit->text(), texts.AutorInfo);
    texts.CopyrightInfo = QStringToOemKeeping(dialog.CopyrightInfoEdit->text(), texts.CopyrightInfo);
}

void TakeHeaderFields(const TNeueDatDlg &dialog, TMirolaFile &doc)
{
    THeaderTexts texts = THeaderTexts::Of(doc);
    TakeHeaderFields(dialog, texts);
    texts.ApplyTo(doc);
}

}  // namespace

QString DocumentCaption(const QString &name)
{
    // A window takes "[*]" in its title for the place of its changed mark and drops
    // it, and shows "[*][*]" as "[*]". A file name may hold those characters, and
    // the caption's own bracket may form them with a name that starts with "*]".
    QString caption = QStringLiteral("Kelmor für Mirola - [%1]").arg(name);
    return caption.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

void TKelmorFrm::ProcessCommandLine(const QList<QByteArray> &arguments)
{
    for (const QByteArray &argument : arguments) {
        const QString switchName = AsciiLower(QString::fromLatin1(argument));
        if (switchName == QLatin1String("-h") || switchName == QLatin1String("-?")) {
            FSeam->HelpCommand(HELP_CONTENTS, 0);
            continue;
        }
        if (switchName == QLatin1String("-k"))
            continue;
        struct stat st {};
        if (::stat(argument.constData(), &st) == 0 && !S_ISDIR(st.st_mode)) {
            // Whatever becomes of this file, the arguments after it are not looked at.
            OpenDocFile(argument.toStdString());
            return;
        }
        FSeam->MessageDlg(kUsageMessage, TMsgDlgType::mtError, TMsgDlgBtn::mbCancel);
    }
}

std::string TKelmorFrm::DocumentFile() const
{
    // A name set from text (a dialog's) is taken as that text.
    return DisplayName(FDocumentFile) == dokname ? FDocumentFile : LocalFileName(dokname);
}

void TKelmorFrm::SetDocumentName(const std::string &localName)
{
    FDocumentFile = localName;
    dokname = DisplayName(localName);
}

void TKelmorFrm::OpenDoc(const QString &FileName)
{
    OpenDocFile(LocalFileName(FileName));
}

void TKelmorFrm::OpenDocFile(const std::string &LocalName)
{
    const QString FileName = DisplayName(LocalName);
    // The command goes by the extension's first four characters, so that .mfdx opens
    // as .mfd and .datei as .dat; the reader then goes by the whole extension.
    const std::string extension = FileExtension(LocalName);
    const TFileKind kind = FileKindOfExtension(std::string_view(extension).substr(0, 4));
    if (kind == TFileKind::Txt) {
        FSeam->MessageDlg(QStringLiteral("Dies ist aber kein Texteditor, gell?!"), TMsgDlgType::mtWarning,
                          TMsgDlgBtn::mbYes);
        return;
    }
    const bool spreadsheet = kind == TFileKind::Csv;
    if (kind == TFileKind::Other) {
        FSeam->MessageDlg(
            QStringLiteral("Unbekanntes Dateiformat.\rKann Datei \"%1\" nicht öffnen.").arg(FullPathOf(FileName)),
            TMsgDlgType::mtError, TMsgDlgBtn::mbCancel);
        return;
    }

    // The reader appends to what a document holds, so it gets a fresh one, which
    // replaces the open document only once it has been read whole.
    std::unique_ptr<TMirolaFile> doc;
    const std::string fullName = FullLocalPathOf(LocalName);
    TFileStamp stamp = TFileStamp::Take(fullName);
    try {
        if (spreadsheet) {
            doc = ReadSpreadsheet(LocalName);
        } else {
            doc = std::make_unique<TMirolaFile>();
            doc->LoadFromFile(LocalName);
        }
    } catch (const EMirolaError &error) {
        RaiseOpenError(fullName, error.Message());
    } catch (const std::bad_alloc &) {
        RaiseOpenError(fullName, std::string(kOutOfMemoryMessage));
    }
    FOpenedAsOtherFormat = spreadsheet || FileKindOf(LocalName) == TFileKind::Raf;
    SetDocumentName(LocalName);
    FFileStamp = std::move(stamp);
    InstallDocument(std::move(doc));
    setWindowTitle(DocumentCaption(dokname));
    SetIsChanged(false);
    NoteRecentFile(fullName);
    RefreshRecentFiles();
    if (spreadsheet) {
        if (!FSpreadsheetChanges.empty()) {
            QString summary = QString::fromStdString(CsvChangeSummary(FSpreadsheetChanges));
            summary.replace(QLatin1Char('\n'), QLatin1Char('\r'));
            FSeam->MessageDlg(QStringLiteral("Beim Einlesen der Tabelle hat Kelmor angepasst, was nicht in eine "
                                             "Fragedatei passt:\r%1")
                                  .arg(summary),
                              TMsgDlgType::mtWarning, TMsgDlgBtn::mbOK);
        }
        FSpreadsheetChanges.clear();
        // A spreadsheet holds no title, author or copyright: the author sets them now.
        Dateiinformationen1Click(this);
    }
}

std::unique_ptr<TMirolaFile> TKelmorFrm::ReadSpreadsheet(const std::string &localName)
{
    TCsvReadResult read = ReadCsvFile(localName);
    auto doc = std::make_unique<TMirolaFile>();
    {
        const TNeueDatDlg defaults(*FSeam, this);
        TakeHeaderFields(defaults, *doc);
    }
    doc->Title = QStringToOem(DisplayName(TableTitle(localName)));  // cut to 36 bytes
    TakeCsvRecords(*doc, std::move(read.Records));
    FSpreadsheetChanges = std::move(read.Changes);
    return doc;
}

void TKelmorFrm::RefreshRecentFiles()
{
    // The chosen entry may be the one whose command asks for this: it goes once its
    // command has ended.
    for (QAction *old : Zuletztgeffnet1->actions()) {
        Zuletztgeffnet1->removeAction(old);
        old->deleteLater();
    }
    const std::vector<std::string> files = RecentFiles();
    for (std::size_t i = 0; i < files.size(); ++i) {
        const int position = static_cast<int>(i) + 1;
        QAction *item = Zuletztgeffnet1->addAction(RecentFileCaption(position, files[i]));
        item->setObjectName(QStringLiteral("ZuletztDatei%1").arg(position));
        item->setData(QByteArray(files[i].data(), qsizetype(files[i].size())));
        SetHint(item, QStringLiteral("Öffnet %1").arg(DisplayName(files[i])));
        Bind(item, &TKelmorFrm::ZuletztgeffnetClick);
    }
    Zuletztgeffnet1->menuAction()->setEnabled(!files.empty());
}

void TKelmorFrm::ZuletztgeffnetClick(QObject *Sender)
{
    const QByteArray bytes = static_cast<QAction *>(Sender)->data().toByteArray();
    const std::string name(bytes.constData(), std::size_t(bytes.size()));
    struct stat st {};
    if (::stat(name.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        FSeam->MessageDlg(QStringLiteral("Die Datei \"%1\" gibt es nicht mehr.\rSie wird aus der Liste der zuletzt "
                                         "geöffneten Dateien entfernt.")
                              .arg(DisplayName(name)),
                          TMsgDlgType::mtWarning, TMsgDlgBtn::mbOK);
        ForgetRecentFile(name);
        RefreshRecentFiles();
        return;
    }
    if (!ConfirmChange(Sender))
        return;
    OpenDocFile(name);
}

void TKelmorFrm::ffnen1Click(QObject *Sender)
{
    if (!ConfirmChange(Sender))
        return;
    const TFileDialogResult chosen = FSeam->OpenFileDialog(OpenDialog1);
    if (!chosen.Accepted)
        return;
    OpenDialog1.FilterIndex = chosen.FilterIndex;
    OpenDoc(chosen.FileName);
}

void TKelmorFrm::Neu1Click(QObject *Sender)
{
    if (!ConfirmChange(Sender))
        return;
    TNeueDatDlg dialog(*FSeam, this);
    if (FSeam->ShowModal(dialog) != QDialog::Accepted)
        return;

    SetDocumentName(LocalFileName(kUntitledName));
    FFileStamp = {};
    auto doc = std::make_unique<TMirolaFile>();
    TakeHeaderFields(dialog, *doc);
    doc->Add();
    FOpenedAsOtherFormat = false;
    InstallDocument(std::move(doc));
    FFormEdits.NewRecord = true;
    WriteForm(QFile->DatRec);
    // A new file has nothing to go back to, and nothing saved: the history starts
    // away from any saved state.
    FHistory->resetClean();
    RefreshChangedMark();
    setWindowTitle(DocumentCaption(dokname));
}

void TKelmorFrm::Dateiinformationen1Click(QObject *)
{
    if (!FIsFileLoaded)
        return;
    // The figures count the record on screen as it stands in the form.
    StoreRecord();
    TNeueDatDlg dialog(*FSeam, this);
    dialog.setWindowTitle(QStringLiteral("Dateiinformationen"));
    FillHeaderFields(dialog, *QFile);
    dialog.ShowStatistics(CountQuestions(*QFile));
    if (FSeam->ShowModal(dialog) != QDialog::Accepted)
        return;
    const THeaderTexts before = THeaderTexts::Of(*QFile);
    THeaderTexts after = before;
    TakeHeaderFields(dialog, after);
    // A confirmed dialog is a change even when every text stayed as it was.
    DocumentChanged(new THeaderStep(*QFile, before, after));
}
