#include "kelmorapp.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <exception>
#include <new>

#include "errors.h"
#include "platformseam.h"
#include "programicon.h"
#include "qtplatformseam.h"

TKelmorApplication::TKelmorApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // The name, not the display name: Qt would append a display name to every
    // window title.
    setApplicationName(KelmorApplicationTitle);
    // Every window and box of the program carries its icon, and the desktop finds the
    // program's entry under this name.
    setWindowIcon(KelmorIcon());
    setDesktopFileName(QStringLiteral("org.example.kelmor"));
    // What the program remembers lives in one settings file of its own, in the
    // standard place: ~/.config/Kelmor/<application name>.ini.
    setOrganizationName(QStringLiteral("Kelmor"));
    QSettings::setDefaultFormat(QSettings::IniFormat);
    // Qt's file dialog writes its folder history into a file of Qt's own
    // (~/.config/QtProject.conf) whenever one closes, and no option keeps it from
    // that. It writes in the native format, which the program does not use: that
    // format's files are sent to a place where none can be made. The program
    // remembers the dialogs' folder itself.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
    // Qt's own dialogs (the file dialogs, the buttons they bring) speak German too.
    if (FQtTexts.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&FQtTexts);
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
    } catch (...) {
        ReportCurrentError();
    }
    return false;
}

void TKelmorApplication::ReportCurrentError()
{
    try {
        throw;
    } catch (const EMirolaError &error) {
        // The whole message: a text quoted from a damaged file may hold a NUL.
        const std::string &message = error.Message();
        ReportError(QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())));
    } catch (const std::bad_alloc &) {
        ReportError(QString::fromUtf8(kOutOfMemoryMessage.data(), static_cast<qsizetype>(kOutOfMemoryMessage.size())));
    } catch (const std::exception &error) {
        ReportError(QString::fromUtf8(error.what()));
    } catch (...) {
        ReportError(QStringLiteral("Unbekannter Fehler"));
    }
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
