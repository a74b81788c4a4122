#pragma once
// A main window on a scripted seam, and small documents to put into it.
#include <QAction>
#include <QFile>
#include <QTest>
#include <functional>
#include <memory>
#include <string>

#include "kelmorfrm.h"
#include "scriptedseam.h"

struct TWindowFixture {
    TScriptedSeam *Seam;
    std::unique_ptr<TKelmorFrm> Frm;

    // `expect` queues the answers to what start-up will ask.
    explicit TWindowFixture(const QList<QByteArray> &commandLine = {},
                            const std::function<void(TScriptedSeam &)> &expect = {})
    {
        auto seam = std::make_unique<TScriptedSeam>();
        Seam = seam.get();
        if (expect)
            expect(*Seam);
        Frm = std::make_unique<TKelmorFrm>(std::move(seam));
        Frm->FormCreate(commandLine);
    }

    // Chooses a menu item as a user can: only while it is enabled.
    [[nodiscard]] bool Trigger(QAction *item)
    {
        if (!TKelmorFrm::ItemEnabled(item))
            return false;
        emit item->triggered(item->isChecked());
        return true;
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

// A file's bytes, "(fehlt)" for one that cannot be read.
inline QByteArray FileBytes(const QString &path)
{
    ::QFile file(path);
    return file.open(::QFile::ReadOnly) ? file.readAll() : QByteArray("(fehlt)");
}

inline void WriteFile(const QString &path, const QByteArray &bytes)
{
    ::QFile file(path);
    QVERIFY(file.open(::QFile::WriteOnly));
    file.write(bytes);
}

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

// Records that differ in every field, with characters of both code pages' upper
// halves, so that a mix-up of records or a lost conversion shows.
inline TMirolaDatensatz DistinctRecord(int i)
{
    const std::string n = std::to_string(i + 1);
    TMirolaDatensatz rec;
    rec.theletter = u"abcdexrf"[i % 8];
    rec.level = u"ABCD"[i % 4];
    rec.Question[0] = "Frage " + n + " \x84hnlich?";  // "ähnlich" in code page 850
    rec.Question[1] = "Zeile 2 von " + n;
    rec.Question[2] = i % 2 == 0 ? std::string() : "Dritte Zeile " + n;
    rec.Comment = "Kommentar " + n + " \xE1";  // "ß"
    for (int a = 0; a <= i % 5; ++a)
        rec.Answers[a] = "Antwort " + n + "." + std::to_string(a + 1) + " \x94";  // "ö"
    return rec;
}

// A document of `count` distinct records with the cursor on `index`.
inline std::unique_ptr<TMirolaFile> DistinctDocument(int count, int index = 0)
{
    auto doc = std::make_unique<TMirolaFile>();
    doc->Title = "Testfragen \x8E";  // "Ä"
    doc->AutorInfo = "Autor \x99";   // "Ö"
    doc->CopyrightInfo = "(c) Kelmor";
    for (int i = 0; i < count; ++i)
        doc->Data.push_back(DistinctRecord(i));
    doc->Index = index;
    doc->DatRec = doc->Data.at(static_cast<std::size_t>(index));
    return doc;
}
