#include "statistics.h"

#include "mirolafile.h"

TFileStatistics CountQuestions(const TMirolaFile &doc)
{
    TFileStatistics figures;
    figures.Questions = doc.Count();
    for (std::size_t i = 0; i < doc.Data.size(); ++i) {
        const TMirolaDatensatz &rec = RecordAsEdited(doc, i);
        if (const int level = LevelNumber(rec.level); level >= 0)
            ++figures.Levels[level];
        // The form takes a right-answer code only as it is written.
        if (rec.theletter == u'x')
            ++figures.SchwarzePeter;
    }
    return figures;
}
