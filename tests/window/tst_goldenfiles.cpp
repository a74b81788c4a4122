// Small files of both formats and both editions, read into the window and written back
// by Save As and by Export in either edition. Every byte written is compared with the
// files kept in golden/, written by the program before its readers were made faster:
// a reader that skips a byte, misreads a length or an edition, or ends one record
// early or late shows here. The files that cannot be read keep their messages.
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "errors.h"
#include "windowfixture.h"

namespace {

QString Golden(const QString &name)
{
    return QStringLiteral(KELMOR_GOLDEN "/") + name;
}

}  // namespace

class TestGoldenFiles : public QObject {
    Q_OBJECT

private slots:
    void readAndWrittenBackAsBefore_data();
    void readAndWrittenBackAsBefore();
    void unreadableFilesFailAsBefore_data();
    void unreadableFilesFailAsBefore();
};

void TestGoldenFiles::readAndWrittenBackAsBefore_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    // Three records, one with length bytes past its slots, and 100 bytes after them.
    QTest::newRow("DOS edition, not whole records") << "dos-rest.raf" << 3;
    QTest::newRow("Windows edition") << "win.raf" << 4;
    QTest::newRow("one record") << "eins.raf" << 1;
    QTest::newRow("text, one record") << "eins.mfd" << 1;
    // Announces four records and ends in the third: the rest come empty.
    QTest::newRow("text that ends early") << "kurz.mfd" << 4;
}

void TestGoldenFiles::readAndWrittenBackAsBefore()
{
    QFETCH(QString, name);
    QFETCH(int, count);
    QTemporaryDir dir;
    const QString opened = dir.filePath(name);
    QVERIFY(QFile::copy(Golden(name), opened));
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    w.OpenDoc(opened);
    QCOMPARE(w.QFile->Count(), count);
    // Looked through to the last record and back, as a user browses.
    for (int i = 1; i < count; ++i)
        QVERIFY(f.Trigger(w.Nchster1));
    QVERIFY(f.Trigger(w.Erster1) || count == 1);
    QVERIFY(!w.IsChanged());

    const struct {
        QString Target;
        QAction *Command;
        int Filter;
        QString GoldenName;
    } outputs[] = {
        {QStringLiteral("gespeichert.mfd"), w.Speichernunter1, 1, name + QStringLiteral(".mfd")},
        {QStringLiteral("mirola-dos.raf"), w.Exportieren1, 1, name + QStringLiteral(".dos.raf")},
        {QStringLiteral("mirola-win.raf"), w.Exportieren1, 2, name + QStringLiteral(".win.raf")},
    };
    for (const auto &out : outputs) {
        f.Seam->FileAnswers.push_back({true, dir.filePath(out.Target), out.Filter});
        QVERIFY(f.Trigger(out.Command));
        QCOMPARE(FileBytes(dir.filePath(out.Target)), FileBytes(Golden(out.GoldenName)));
    }
    QCOMPARE(FileBytes(opened), FileBytes(Golden(name)));
    QCOMPARE(f.Seam->Calls.size(), 3);  // the three file dialogs, nothing else
}

void TestGoldenFiles::unreadableFilesFailAsBefore_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    const QString beyondEnd = QStringLiteral("Versuch hinter dem Dateiende zu lesen");
    QTest::newRow("record file, empty") << "nichts.raf" << beyondEnd;
    QTest::newRow("record file, header cut") << "kurz.raf" << beyondEnd;
    QTest::newRow("record file, header only")
        << "leer.raf" << QStringLiteral("Listenindex außerhalb des gültigen Bereichs (0). TList ist leer");
    QTest::newRow("text, empty") << "nichts.mfd" << QStringLiteral("'' ist kein gültiger Integerwert");
}

void TestGoldenFiles::unreadableFilesFailAsBefore()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    w.OpenDoc(Golden(QStringLiteral("eins.mfd")));
    QString caught;
    try {
        w.OpenDoc(Golden(name));
    } catch (const EMirolaError &error) {
        caught = QString::fromStdString(error.Message());
    }
    // The reader's message as before, under the file's name.
    QCOMPARE(caught, Golden(name) + QLatin1Char('\r') + message);
    QCOMPARE(w.dokname, Golden(QStringLiteral("eins.mfd")));
    QCOMPARE(w.QFile->Count(), 1);
}

QTEST_MAIN(TestGoldenFiles)
#include "tst_goldenfiles.moc"
