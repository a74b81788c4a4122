// "Zuletzt geöffnet": the files opened and saved last, newest first and eight at most,
// kept in the program's settings; the file dialogs start in the last file's folder.
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "editfield.h"
#include "qtplatformseam.h"
#include "recentfiles.h"
#include "windowfixture.h"

class TestRecentFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void newestFirstOnceEachAndEightAtMost();
    void anEntryOpensItsFile();
    void aMissingFileLeavesTheList();
    void dialogsStartInTheLastFilesFolder();

private:
    // The settings live here, never in the user's own.
    QTemporaryDir FSettings;
    QTemporaryDir FFiles;
    QString MakeFile(const QString &name, int records = 2);
    static QStringList Captions(const TKelmorFrm &w);
};

void TestRecentFiles::initTestCase()
{
    QVERIFY(FSettings.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(FSettings.path()));
}

void TestRecentFiles::init()
{
    QSettings().clear();
}

QString TestRecentFiles::MakeFile(const QString &name, int records)
{
    const QString path = FFiles.filePath(name);
    DistinctDocument(records)->SaveToFile(QFile::encodeName(path).toStdString(), ftTXT);
    return path;
}

QStringList TestRecentFiles::Captions(const TKelmorFrm &w)
{
    emit w.Zuletztgeffnet1->aboutToShow();
    QStringList captions;
    for (const QAction *item : w.Zuletztgeffnet1->actions())
        captions << item->text();
    return captions;
}

void TestRecentFiles::newestFirstOnceEachAndEightAtMost()
{
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    QVERIFY(!w.Zuletztgeffnet1->menuAction()->isEnabled());
    QStringList opened;
    for (int i = 1; i <= 9; ++i) {
        opened.prepend(MakeFile(QStringLiteral("quiz %1.mfd").arg(i)));
        w.OpenDoc(opened.constFirst());
    }
    QVERIFY(w.Zuletztgeffnet1->menuAction()->isEnabled());
    QStringList expected;
    for (int i = 0; i < 8; ++i)
        expected << QStringLiteral("&%1 %2").arg(i + 1).arg(opened.at(i));
    QCOMPARE(Captions(w), expected);

    // Opened again, a file moves to the top and stands there once.
    w.OpenDoc(opened.at(5));
    QCOMPARE(Captions(w).size(), 8);
    QCOMPARE(Captions(w).at(0), QStringLiteral("&1 %1").arg(opened.at(5)));
    QCOMPARE(Captions(w).at(6), QStringLiteral("&7 %1").arg(opened.at(6)));
    // Opened again at the top, it changes nothing: the settings file is not written.
    const QString settingsFile = QSettings().fileName();
    const QDateTime written = QFileInfo(settingsFile).lastModified();
    QTest::qWait(20);
    w.OpenDoc(opened.at(5));
    QCOMPARE(QFileInfo(settingsFile).lastModified(), written);

    // Saved under another name, which shows an "&" as itself and a tab as a blank,
    // where the menu would take the rest for keys.
    f.Seam->FileAnswers.push_back({true, FFiles.filePath(QStringLiteral("Fragen & Antworten\t1.mfd")), 1});
    QVERIFY(f.Trigger(w.Speichernunter1));
    QCOMPARE(Captions(w).at(0),
             QStringLiteral("&1 %1").arg(FFiles.filePath(QStringLiteral("Fragen && Antworten 1.mfd"))));
    QCOMPARE(Captions(w).at(1), QStringLiteral("&2 %1").arg(opened.at(5)));
    // The list outlives the window.
    TWindowFixture next;
    QCOMPARE(Captions(*next.Frm), Captions(w));
}

void TestRecentFiles::anEntryOpensItsFile()
{
    const QString first = MakeFile(QStringLiteral("erste.mfd"), 3);
    const QString second = MakeFile(QStringLiteral("zweite.mfd"), 5);
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    w.OpenDoc(first);
    w.OpenDoc(second);
    w.Question1->setText(QStringLiteral("geändert"));
    Captions(w);
    // A changed document is asked about first; cancelling keeps it.
    f.Seam->DlgAnswers.push_back(TModalResult::mrCancel);
    QVERIFY(f.Trigger(w.Zuletztgeffnet1->actions().at(1)));
    QCOMPARE(w.QFile->Count(), 5);
    f.Seam->DlgAnswers.push_back(TModalResult::mrNo);
    QVERIFY(f.Trigger(w.Zuletztgeffnet1->actions().at(1)));
    QCOMPARE(w.QFile->Count(), 3);
    QCOMPARE(w.dokname, first);
    QVERIFY(!w.IsChanged());
    QCOMPARE(Captions(w).at(0), QStringLiteral("&1 %1").arg(first));
}

void TestRecentFiles::aMissingFileLeavesTheList()
{
    const QString kept = MakeFile(QStringLiteral("bleibt.mfd"), 3);
    const QString gone = MakeFile(QStringLiteral("weg.mfd"), 4);
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    w.OpenDoc(gone);
    w.OpenDoc(kept);
    QVERIFY(QFile::remove(gone));
    Captions(w);
    f.Seam->DlgAnswers.push_back(TModalResult::mrOK);
    QVERIFY(f.Trigger(w.Zuletztgeffnet1->actions().at(1)));
    QCOMPARE(f.Seam->Calls.constLast().Kind, QStringLiteral("MessageDlg"));
    QVERIFY(f.Seam->Calls.constLast().Text.contains(gone));
    QCOMPARE(w.QFile->Count(), 3);
    QCOMPARE(Captions(w), QStringList{QStringLiteral("&1 %1").arg(kept)});

    // Forgetting a file that is not there writes nothing, also where the list is
    // empty, which the settings file holds as no value at all.
    QSettings().clear();
    ForgetRecentFile(QFile::encodeName(gone).toStdString());
    QVERIFY(QSettings().allKeys().isEmpty());
}

void TestRecentFiles::dialogsStartInTheLastFilesFolder()
{
    QTemporaryDir elsewhere;
    const QString path = QDir(elsewhere.path()).filePath(QStringLiteral("quiz.mfd"));
    DistinctDocument(2)->SaveToFile(QFile::encodeName(path).toStdString(), ftTXT);
    TWindowFixture f;
    f.Frm->OpenDoc(path);
    const auto dialog = TQtPlatformSeam::MakeFileDialog(f.Frm->OpenDialog1, TQtPlatformSeam::TFileDialogKind::Open);
    QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(elsewhere.path()).canonicalPath());
}

QTEST_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
