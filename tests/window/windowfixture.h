#pragma once
// A main window on a scripted seam, and small documents to put into it.
#include <QTest>
#include <memory>

#include "kelmorfrm.h"
#include "scriptedseam.h"

struct TWindowFixture {
    TScriptedSeam *Seam;
    std::unique_ptr<TKelmorFrm> Frm;

    TWindowFixture()
    {
        auto seam = std::make_unique<TScriptedSeam>();
        Seam = seam.get();
        Frm = std::make_unique<TKelmorFrm>(std::move(seam));
    }

    // Shows the window and waits until it is the active one, as shortcuts and
    // pointer moves need.
    bool ShowActive()
    {
        Frm->show();
        Frm->activateWindow();
        return QTest::qWaitForWindowActive(Frm.get());
    }

    void Install(std::unique_ptr<TMirolaFile> doc) { Frm->InstallDocument(std::move(doc)); }
};

inline TMirolaDatensatz Record(std::string_view question = "Frage", char16_t code = u'a', char16_t level = u'A',
                               std::initializer_list<std::string_view> answers = {"eins", "zwei"})
{
    TMirolaDatensatz rec;
    rec.Question[0] = question;
    rec.theletter = code;
    rec.level = level;
    std::size_t slot = 0;
    for (std::string_view answer : answers)
        rec.Answers[slot++] = answer;
    return rec;
}

// A document of `count` records with the cursor on `index`.
inline std::unique_ptr<TMirolaFile> Document(int count, int index = 0, TMirolaDatensatz current = Record())
{
    auto doc = std::make_unique<TMirolaFile>();
    for (int i = 0; i < count; ++i)
        doc->Data.push_back(current);
    doc->Index = index;
    doc->DatRec = current;
    return doc;
}
