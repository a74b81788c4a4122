// TKelmorFrm: moving through the records. The seven record commands
// (DataControlClick, picked by the Tag of the button or item used) and go to
// (Gehezu1Click, GoToRecord).
#include <algorithm>

#include <QVariant>

#include "documenthistory.h"
#include "kelmorfrm.h"
#include "recordnumber.h"

void TKelmorFrm::DataControlClick(QObject *Sender)
{
    if (!FIsFileLoaded)
        return;
    StoreRecord();
    const int command = Sender != nullptr ? Sender->property(kTagProperty).toInt() : 0;
    switch (command) {
    case rcFirst: QFile->First(); break;
    case rcPrior: QFile->Prior(); break;
    case rcNext: QFile->Next(); break;
    case rcLast: QFile->Last(); break;
    case rcAdd: DocumentChanged(new TAddRecordStep(*QFile)); break;
    case rcDelete:
        // The last record is never deleted, and that is no change; Delete still
        // posts the buffer.
        if (QFile->Count() > 1)
            DocumentChanged(new TDeleteRecordStep(*QFile, QFile->Index));
        else
            QFile->Delete();
        break;
    case rcPost: QFile->Post(); break;
    default: break;
    }
    UpdateNavigation();
    ShowRecord();
    if (command == rcAdd) {
        // A new record is written whole, as the form shows it, so that the record
        // is kept as it is saved and leaving it untouched makes no step of its own.
        FFormEdits.NewRecord = true;
        WriteForm(QFile->DatRec);
    }
}

void TKelmorFrm::Gehezu1Click(QObject *)
{
    if (!FIsFileLoaded)
        return;
    const QString proposed = QString::number(static_cast<qint64>(QFile->Index) + 1);
    const TInputResult answer = FSeam->InputQuery(
        QStringLiteral("Zu Datensatz springen"),
        QStringLiteral("Geben Sie bitte den Index des Datensatzes an,\rzu dem Sie springen wollen."), proposed);
    const std::optional<std::int32_t> number = ParseRecordNumber(answer.Accepted ? answer.Text : proposed);
    if (!number)
        return;
    GoToRecord(std::int64_t{*number} - 1);
}

void TKelmorFrm::GoToRecord(std::int64_t index)
{
    StoreRecord();
    // Far numbers stay far once held to 32 bits: the cursor stops at the list's ends.
    const std::int64_t distance = index - QFile->Index;
    QFile->MoveBy(static_cast<std::int32_t>(std::clamp<std::int64_t>(distance, INT32_MIN, INT32_MAX)));
    ShowRecord();
    UpdateNavigation();
}
