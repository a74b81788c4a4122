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
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(KelmorPixmap(size));
    return icon;
}
