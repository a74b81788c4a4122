#pragma once
// The application object: its title, and the report of errors that no command caught.
#include <QApplication>
#include <QTranslator>

class TPlatformSeam;

inline const QString KelmorApplicationTitle = QStringLiteral("Kelmor für Mirola Classic");

class TKelmorApplication : public QApplication {
public:
    TKelmorApplication(int &argc, char **argv);
    ~TKelmorApplication() override;

    // Where uncaught errors are reported; without one, Qt's own message box is used.
    void SetReportSeam(TPlatformSeam *seam) { FReportSeam = seam; }

    bool notify(QObject *receiver, QEvent *event) override;

    // Reports the error being handled; called inside a catch block.
    void ReportCurrentError();

    // The report's text: a period is added unless the message ends in a period or a
    // character below it.
    static QString ReportText(const QString &message);

private:
    void ReportError(const QString &message);

    TPlatformSeam *FReportSeam = nullptr;
    QTranslator FQtTexts;
};
