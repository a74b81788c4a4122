#pragma once
// TAboutBox: the program's about box. One is made at start-up and lives until the
// program ends; the About command only shows it.
#include <QDialog>

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

private:
    void FormCreate();
};
