#pragma once
// TAboutBox: the program's about box. One is made at start-up and lives until the
// program ends; the About command only shows it. Its two web buttons open the
// editor's and the game's web pages and leave the box open.
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class TPlatformSeam;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // The web pages are opened through `seam`.
    explicit TAboutBox(TPlatformSeam &seam, QWidget *parent = nullptr);

    QFrame *Panel1 = nullptr;
    QLabel *ProgramIcon = nullptr;  // in Panel1
    QLabel *ProductName = nullptr;
    QLabel *Version = nullptr;
    QLabel *Copyright = nullptr;
    QFrame *Bevel1 = nullptr;        // a line along its top edge
    QLabel *Comments = nullptr;      // the rights notice
    QLabel *Label2 = nullptr;        // the freeware note
    QPushButton *Button1 = nullptr;  // "&OK"
    QPushButton *BitBtn1 = nullptr;  // "Kelmor Webseite"
    QPushButton *BitBtn2 = nullptr;  // "Mirola Classic Webseite"

    // The editor's web page.
    void Label1Click(QObject *Sender);
    // The game's web page.
    void BitBtn2Click(QObject *Sender);
    // Draws the program's picture, once, before the box is first shown: the box is
    // made while the program starts, which need not wait for the picture.
    void ShowProgramPicture();

private:
    void FormCreate();

    TPlatformSeam &FSeam;
};
