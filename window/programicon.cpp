#include "programicon.h"

#include <QPainter>
#include <QSvgRenderer>

void InitKelmorResources()
{
    // A resource compiled into a static library is registered only when something
    // names it; the linker drops it otherwise.
    static const bool registered = [] {
        Q_INIT_RESOURCE(kelmor);
        return true;
    }();
    (void)registered;
}

QPixmap KelmorPixmap(int size, qreal devicePixelRatio)
{
    InitKelmorResources();
    const int pixels = qRound(size * devicePixelRatio);
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/kelmor.svg"));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon KelmorIcon()
{
    InitKelmorResources();
    // Qt's SVG icon engine draws it at the size asked for when it is asked for:
    // drawing every size up front cost start-up a sixth of its time.
    return QIcon(QStringLiteral(":/kelmor.svg"));
}
