#include "documenthistory.h"

namespace {

// Puts `rec` at `index` and the cursor on it. The buffer is posted first, as every
// cursor operation of the document does.
void PutAndShow(TMirolaFile &doc, std::int32_t index, const TMirolaDatensatz &rec)
{
    doc.Post();
    doc.Data[static_cast<std::size_t>(index)] = rec;
    doc.Index = index;
    doc.DatRec = rec;
}

}  // namespace

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

void TDocumentStep::redo()
{
    // The first redo comes with the push, after the window made the change itself.
    if (FApplied) {
        FApplied = false;
        return;
    }
    Apply();
}

TRecordEditStep::TRecordEditStep(TMirolaFile &doc, std::int32_t index, const TMirolaDatensatz &before,
                                 const TMirolaDatensatz &after)
    : TDocumentStep(doc), FIndex(index), FBefore(before), FAfter(after)
{
}

void TRecordEditStep::Apply()
{
    PutAndShow(FDoc, FIndex, FAfter);
}

void TRecordEditStep::Revert()
{
    PutAndShow(FDoc, FIndex, FBefore);
}

TAddRecordStep::TAddRecordStep(TMirolaFile &doc, std::int32_t indexBefore, const TMirolaDatensatz &added)
    : TDocumentStep(doc), FIndexBefore(indexBefore), FAdded(added)
{
}

void TAddRecordStep::Apply()
{
    FDoc.Add();
    FDoc.Data.back() = FAdded;
    FDoc.DatRec = FAdded;
}

void TAddRecordStep::Revert()
{
    FDoc.Post();
    FDoc.Data.pop_back();
    FDoc.Index = std::min(FIndexBefore, FDoc.Count() - 1);
    FDoc.DatRec = FDoc.Data[static_cast<std::size_t>(FDoc.Index)];
}

TDeleteRecordStep::TDeleteRecordStep(TMirolaFile &doc, std::int32_t index, const TMirolaDatensatz &deleted)
    : TDocumentStep(doc), FIndex(index), FDeleted(deleted)
{
}

void TDeleteRecordStep::Apply()
{
    FDoc.Post();
    FDoc.Index = FIndex;
    FDoc.DatRec = FDoc.Data[static_cast<std::size_t>(FIndex)];
    FDoc.Delete();
}

void TDeleteRecordStep::Revert()
{
    FDoc.Post();
    FDoc.Data.insert(FDoc.Data.begin() + FIndex, FDeleted);
    FDoc.Index = FIndex;
    FDoc.DatRec = FDeleted;
}

THeaderStep::THeaderStep(TMirolaFile &doc, const THeaderTexts &before, const THeaderTexts &after)
    : TDocumentStep(doc), FBefore(before), FAfter(after)
{
}
