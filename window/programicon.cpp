#include "programicon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <algorithm>

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

namespace {

// Draws the icon at the size asked for, when it is asked for. Qt's own SVG icon
// engine would do the same, but loading it means searching Qt's plugin folders and
// reading the drawing while the program starts, where no icon is shown yet.
class TKelmorIconEngine final : public QIconEngine {
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, ratio));
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode, QIcon::State, qreal scale) override
    {
        const int side = std::min(size.width(), size.height());
        const QString key = QStringLiteral("kelmor-icon-%1-%2").arg(side).arg(scale);
        QPixmap drawn;
        if (!QPixmapCache::find(key, &drawn)) {
            drawn = KelmorPixmap(side, scale);
            QPixmapCache::insert(key, drawn);
        }
        return drawn;
    }
    QIconEngine *clone() const override { return new TKelmorIconEngine; }
    QString key() const override { return QStringLiteral("KelmorIcon"); }
};

}  // namespace

QIcon KelmorIcon()
{
    return QIcon(new TKelmorIconEngine);
}
