#include "kelmorapp.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QProxyStyle>
#include <QSettings>
#include <QStyleOption>
#include <exception>
#include <new>

#include "errors.h"
#include "pictures.h"
#include "platformseam.h"
#include "programicon.h"
#include "qtplatformseam.h"

namespace {

// The desktop's own style, but for one picture. A menu bar asks for the picture of
// its overflow button while it is made, and the style reads that from an image file:
// the first image a program reads has Qt search its plugin folders for image
// formats, which cost start-up more than the whole menu. The button shows only when
// the menus do not fit the window; its picture is read when it is first drawn.
class TKelmorStyle final : public QProxyStyle {
public:
    explicit TKelmorStyle(QStyle *desktop) : QProxyStyle(desktop) {}

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override
    {
        if (which != SP_ToolBarHorizontalExtensionButton && which != SP_ToolBarVerticalExtensionButton)
            return QProxyStyle::standardIcon(which, option, widget);
        // The option and the widget are gone by then; only the direction matters.
        QStyleOption direction;
        direction.direction = option != nullptr ? option->direction : QGuiApplication::layoutDirection();
        QStyle *base = baseStyle();
        return DeferredIcon([base, which, direction] { return base->standardIcon(which, &direction, nullptr); });
    }
};

}  // namespace

TKelmorApplication::TKelmorApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // The style Qt chose (the desktop's, or one named on the command line) goes into
    // the program's own, which then owns it.
    QStyle *desktop = style();
    desktop->setParent(nullptr);
    setStyle(new TKelmorStyle(desktop));
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
