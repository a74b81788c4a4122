#pragma once
// TNeueDatDlg: the three header texts of a question file (title, author line,
// copyright line), asked for by New and shown for editing by the file information
// command. Each command makes its own dialog and discards it afterwards.
#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TPlatformSeam;
struct TFileStatistics;

class TNeueDatDlg : public QDialog {
    Q_OBJECT
public:
    // Help requests go through `seam`.
    TNeueDatDlg(TPlatformSeam &seam, QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QLineEdit *TitleEdit = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *AutorInfoEdit = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *CopyrightInfoEdit = nullptr;
    QPushButton *Button1 = nullptr;  // "&OK"
    QPushButton *Button2 = nullptr;  // "&Abbrechen"
    QPushButton *Button3 = nullptr;  // "&Hilfe"
    // Below the client area, out of sight until ShowStatistics makes room for it.
    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;

    void Button3Click(QObject *Sender);

    // Puts a text into one of the three fields whole, however long.
    static void SetFieldText(QLineEdit *field, const QString &text);

    // Writes the figures into GroupBox1 and grows the dialog to show it.
    void ShowStatistics(const TFileStatistics &figures);

private:
    TPlatformSeam &FSeam;
};

// The help topic of the dialog.
inline const QString kNewFileHelpTopic = QStringLiteral("NeueMirolaDatei");
