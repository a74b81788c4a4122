#include "kelmorapp.h"

#include <exception>

#include "platformseam.h"
#include "qtplatformseam.h"

TKelmorApplication::TKelmorApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // The name, not the display name: Qt would append a display name to every
    // window title.
    setApplicationName(KelmorApplicationTitle);
}

TKelmorApplication::~TKelmorApplication() = default;

QString TKelmorApplication::ReportText(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + QLatin1Char('.');
    return message;
}

bool TKelmorApplication::notify(QObject *receiver, QEvent *event)
{
    // An error ends the command that raised it, never the program.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        ReportError(QString::fromUtf8(error.what()));
    } catch (...) {
        ReportError(QStringLiteral("Unbekannter Fehler"));
    }
    return false;
}

void TKelmorApplication::ReportError(const QString &message)
{
    const QString text = ReportText(message);
    if (FReportSeam != nullptr) {
        FReportSeam->ErrorReport(text);
    } else {
        TQtPlatformSeam seam;
        seam.ErrorReport(text);
    }
}
