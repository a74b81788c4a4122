// Spreadsheets in the editor: Export's third entry writes the records as a table,
// and a table opens as a document that is saved under a new name, after a word about
// what did not fit and the file information to fill in.
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "csvformat.h"
#include "editfield.h"
#include "neuedatdlg.h"
#include "qtplatformseam.h"
#include "textedge.h"
#include "windowfixture.h"

class TestSpreadsheet : public QObject {
    Q_OBJECT
private slots:
    void exportWritesTheRecordsAsATable();
    void tableOpensWithAWordAboutWhatDidNotFit();
    void tableIsSavedUnderANewName();
    void exportDialogGivesTheChosenEntrysExtension();
};

void TestSpreadsheet::exportWritesTheRecordsAsATable()
{
    QTemporaryDir dir;
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    f.Install(DistinctDocument(5, 2));
    w.dokname = dir.filePath(QStringLiteral("fragen.mfd"));
    w.CommentEdit->setText(QStringLiteral("für die Tabelle; \"zitiert\""));
    // No "mirola-" in the name, no extension: a table is for the author.
    f.Seam->FileAnswers.push_back({true, dir.filePath(QStringLiteral("tabelle")), 3});
    const qsizetype calls = f.Seam->Calls.size();
    QVERIFY(f.Trigger(w.Exportieren1));
    QCOMPARE(f.Seam->Calls.size(), calls + 1);  // the dialog, and no question: the table is no game file
    const QByteArray written = FileBytes(dir.filePath(QStringLiteral("tabelle.csv")));
    const std::string expected = WriteCsv(*w.QFile);
    QCOMPARE(written, QByteArray(expected.data(), qsizetype(expected.size())));
    QVERIFY(written.contains("\"f\xC3\xBCr die Tabelle; \"\"zitiert\"\"\""));
    // The document stays the document of its own file.
    QCOMPARE(w.dokname, dir.filePath(QStringLiteral("fragen.mfd")));
}

void TestSpreadsheet::tableOpensWithAWordAboutWhatDidNotFit()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Erdkunde Quiz.csv"));
    // Semicolons and Windows-1252 as a German spreadsheet program saves; the second
    // record's question runs over two lines, the third's is too long for all three.
    WriteFile(path, "Frage 1;Antwort a;Antwort b;Code\r\n"
                    "Wo liegt K\xF6ln?;am Rhein;an der Elbe;a\r\n"
                    "\"Zwei\r\nZeilen\";ja;nein;b\r\n" +
                        QByteArray(160, 'x') + ";eins;zwei;r\r\n");
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    f.Seam->DlgAnswers.push_back(TModalResult::mrOK);
    QString shownTitle;
    f.Seam->DialogAnswers.push_back([&shownTitle](QDialog &dialog) {
        auto &info = static_cast<TNeueDatDlg &>(dialog);
        shownTitle = info.TitleEdit->text();
        TNeueDatDlg::SetFieldText(info.AutorInfoEdit, QStringLiteral("Jürgen"));
        return int(QDialog::Accepted);
    });
    w.OpenDoc(path);

    QCOMPARE(w.QFile->Count(), 3);
    QCOMPARE(w.Question1->text(), QStringLiteral("Wo liegt Köln?"));
    QCOMPARE(w.QFile->Data[2].theletter, u'r');
    QCOMPARE(w.QFile->Data[0].level, u'A');
    QCOMPARE(f.Seam->Calls.size(), 2);
    const TSeamCall &summary = f.Seam->Calls.at(0);
    QCOMPARE(summary.Kind, QStringLiteral("MessageDlg"));
    QCOMPARE(summary.Type, TMsgDlgType::mtWarning);
    QVERIFY2(summary.Text.contains(QStringLiteral("\rZeile 3: ")), qPrintable(summary.Text));
    QVERIFY2(summary.Text.contains(QStringLiteral("\rZeile 4: ")), qPrintable(summary.Text));
    // Then the file information, the file's name as title, the author as typed.
    QCOMPARE(f.Seam->Calls.at(1).Kind, QStringLiteral("ShowModal"));
    QCOMPARE(shownTitle, QStringLiteral("Erdkunde Quiz"));
    QCOMPARE(w.QFile->AutorInfo, std::string("J\x81rgen"));
    QCOMPARE(w.QFile->CopyrightInfo, QStringToOem(TNeueDatDlg(*f.Seam).CopyrightInfoEdit->text()));
    QCOMPARE(w.dokname, path);
}

void TestSpreadsheet::tableIsSavedUnderANewName()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("liste.csv"));
    WriteFile(path, "\xEF\xBB\xBFNr,Code,Level,Frage 1\r\n1,b,C,Gr\xC3\xB6\xC3\x9F"
                    "e?\r\n");
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    f.Seam->DialogAnswers.push_back([](QDialog &) { return int(QDialog::Rejected); });
    w.OpenDoc(path);
    QCOMPARE(f.Seam->Calls.size(), 1);  // nothing to say about the rows: the dialog only
    QVERIFY(!w.IsChanged());
    // Saving as text under the table's own name would make it unreadable as a table.
    w.Question1->setText(QStringLiteral("Größe?!"));
    f.Seam->FileAnswers.push_back({});
    QVERIFY(f.Trigger(w.Speichern1));
    QCOMPARE(f.Seam->FileDialogs.size(), 1);
    QCOMPARE(f.Seam->FileDialogs.constLast().FileName, dir.filePath(QStringLiteral("liste.mfd")));
    QVERIFY(FileBytes(path).endsWith(",Gr\xC3\xB6\xC3\x9F"
                                     "e?\r\n"));
}

void TestSpreadsheet::exportDialogGivesTheChosenEntrysExtension()
{
    TWindowFixture f;
    const std::unique_ptr<QFileDialog> dialog =
        TQtPlatformSeam::MakeFileDialog(f.Frm->SaveDialog2, TQtPlatformSeam::TFileDialogKind::Save);
    QCOMPARE(dialog->defaultSuffix(), QStringLiteral("raf"));
    const QStringList entries = dialog->nameFilters();
    QCOMPARE(entries.size(), 3);
    emit dialog->filterSelected(entries.at(2));
    QCOMPARE(dialog->defaultSuffix(), QStringLiteral("csv"));
    emit dialog->filterSelected(entries.at(1));
    QCOMPARE(dialog->defaultSuffix(), QStringLiteral("raf"));
}

QTEST_MAIN(TestSpreadsheet)
#include "tst_spreadsheet.moc"
