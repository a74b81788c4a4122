#pragma once
// TFindDialog: the search form of the Find command. The window makes it on first use
// and keeps it, so the choices made in it are there at the next showing, and so are
// the texts searched before.
#include <QDialog>

#include "recordsearch.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TPlatformSeam;

class TFindDialog : public QDialog {
    Q_OBJECT
public:
    // Help requests go through `seam`.
    TFindDialog(TPlatformSeam &seam, QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QComboBox *SuchTextComboBox = nullptr;
    QGroupBox *GroupBox3 = nullptr;  // "&Bereich"
    QCheckBox *FragetextCheckBox = nullptr;
    QCheckBox *KommentareCheckBox = nullptr;
    QCheckBox *AntwortenCheckBox = nullptr;
    QGroupBox *GroupBox1 = nullptr;  // "Richtung"
    QRadioButton *VorwrtsRadioButton = nullptr;
    QRadioButton *RckwrtsRadioButton = nullptr;
    QGroupBox *GroupBox2 = nullptr;  // "Beginn"
    QRadioButton *AktuellePositionRadioButton = nullptr;
    QRadioButton *AnfangRadioButton = nullptr;
    QPushButton *Button1 = nullptr;  // "&OK"
    QPushButton *Button2 = nullptr;  // "&Abbrechen"
    QPushButton *Button3 = nullptr;  // "&Hilfe"

    void Button3Click(QObject *Sender);

    // What the form is set to now.
    TSearchOptions Options() const;
    // Puts a searched text at the top of the texts offered, once.
    void RememberSearch(const QString &text);

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    TPlatformSeam &FSeam;
    bool FJustShown = false;
};

// The help topic of the form.
inline const QString kSearchHelpTopic = QStringLiteral("Suchen");
