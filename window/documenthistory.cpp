#include "documenthistory.h"

THeaderTexts THeaderTexts::Of(const TMirolaFile &doc)
{
    return {doc.Title, doc.AutorInfo, doc.CopyrightInfo};
}

void THeaderTexts::ApplyTo(TMirolaFile &doc) const
{
    doc.Title = Title;
    doc.AutorInfo = AutorInfo;
    doc.CopyrightInfo = CopyrightInfo;
}

TRecordEditStep::TRecordEditStep(TMirolaFile &doc, std::int32_t index, const TMirolaDatensatz &before,
                                 const TMirolaDatensatz &after)
    : TDocumentStep(doc), FIndex(index), FBefore(before), FAfter(after)
{
}

void TRecordEditStep::redo()
{
    FDoc.ReplaceRecord(FIndex, FAfter);
}

void TRecordEditStep::undo()
{
    FDoc.ReplaceRecord(FIndex, FBefore);
}

TAddRecordStep::TAddRecordStep(TMirolaFile &doc)
    : TDocumentStep(doc), FIndexBefore(doc.Index), FPosition(doc.Count()), FAdded{doc.NewRecord()}
{
}

void TAddRecordStep::redo()
{
    FDoc.InsertRecords(FPosition, std::move(FAdded));
}

void TAddRecordStep::undo()
{
    FAdded = FDoc.RemoveRecords(FPosition, 1);
    FDoc.MoveBy(FIndexBefore - FDoc.Index);
}

TDeleteRecordStep::TDeleteRecordStep(TMirolaFile &doc, std::int32_t index) : TDocumentStep(doc), FIndex(index) {}

void TDeleteRecordStep::redo()
{
    FDeleted = FDoc.RemoveRecords(FIndex, 1);
    FDoc.Last();
}

void TDeleteRecordStep::undo()
{
    FDoc.InsertRecords(FIndex, std::move(FDeleted));
}

THeaderStep::THeaderStep(TMirolaFile &doc, const THeaderTexts &before, const THeaderTexts &after)
    : TDocumentStep(doc), FBefore(before), FAfter(after)
{
}
