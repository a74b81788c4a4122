#include "pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <optional>
#include <utility>

namespace {

// An icon that is fetched when it is first drawn or measured.
class TDeferredIconEngine final : public QIconEngine {
public:
    explicit TDeferredIconEngine(std::function<QIcon()> fetch) : FFetch(std::move(fetch)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return Icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    QIconEngine *clone() const override { return new TDeferredIconEngine(FFetch); }
    QString key() const override { return QStringLiteral("KelmorDeferredIcon"); }

private:
    const QIcon &Icon()
    {
        if (!FIcon)
            FIcon = FFetch();
        return *FIcon;
    }

    std::function<QIcon()> FFetch;
    std::optional<QIcon> FIcon;
};

QSize SizeOf(TPicture p)
{
    switch (p) {
    case TPicture::FileProp: return {32, 16};
    case TPicture::First:
    case TPicture::Previous:
    case TPicture::Next:
    case TPicture::Last:
    case TPicture::Add:
    case TPicture::Delete: return {17, 15};
    case TPicture::HelpIndex:
    case TPicture::Help: return {16, 15};
    default: return {16, 16};
    }
}

const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kNavy(0, 0, 128);
const QColor kTeal(0, 128, 128);
const QColor kOlive(128, 128, 0);
const QColor kYellow(255, 255, 0);
const QColor kGrey(128, 128, 128);
const QColor kSilver(192, 192, 192);
const QColor kGreen(0, 128, 0);
const QColor kRed(192, 0, 0);

void Sheet(QPainter &g, int x, int y, int w, int h)
{
    constexpr int kFold = 4;
    QPolygon outline(
        {QPoint(x, y), QPoint(x + w - kFold, y), QPoint(x + w, y + kFold), QPoint(x + w, y + h), QPoint(x, y + h)});
    g.setPen(kInk);
    g.setBrush(kPaper);
    g.drawPolygon(outline);
    g.drawPolyline(QPolygon({QPoint(x + w - kFold, y), QPoint(x + w - kFold, y + kFold), QPoint(x + w, y + kFold)}));
}

void TextLines(QPainter &g, int x, int y, int w, int lines, const QColor &color)
{
    g.setPen(color);
    for (int i = 0; i < lines; ++i)
        g.drawLine(x, y + 2 * i, x + w, y + 2 * i);
}

void Triangle(QPainter &g, int tipX, int baseX, int midY, int half)
{
    g.setPen(Qt::NoPen);
    g.setBrush(kInk);
    g.drawPolygon(QPolygon({QPoint(tipX, midY), QPoint(baseX, midY - half), QPoint(baseX, midY + half)}));
}

void Info(QPainter &g, int x, const QColor &body, const QColor &mark)
{
    Sheet(g, x + 2, 0, 11, 15);
    g.setPen(Qt::NoPen);
    g.setBrush(body);
    g.drawEllipse(QRect(x + 4, 4, 8, 8));
    g.setBrush(mark);
    g.drawRect(x + 7, 7, 2, 4);
    g.drawRect(x + 7, 5, 2, 1);
}

// A half-turn arrow with its head on the left (back) or mirrored (forth).
void TurnArrow(QPainter &g, bool back)
{
    g.save();
    if (!back) {
        g.translate(16, 0);
        g.scale(-1, 1);
    }
    g.setRenderHint(QPainter::Antialiasing);
    QPainterPath turn;
    turn.moveTo(4.5, 7.5);
    turn.cubicTo(7, 4, 14, 4, 14, 10);
    turn.cubicTo(14, 12.5, 12.5, 14, 10.5, 14);
    g.setPen(QPen(kNavy, 2, Qt::SolidLine, Qt::RoundCap));
    g.setBrush(Qt::NoBrush);
    g.drawPath(turn);
    g.setPen(Qt::NoPen);
    g.setBrush(kNavy);
    g.drawPolygon(QPolygonF({QPointF(1, 4), QPointF(8, 4.5), QPointF(2, 10.5)}));
    g.restore();
}

void Draw(QPainter &g, TPicture p)
{
    switch (p) {
    case TPicture::New: Sheet(g, 2, 0, 11, 15); break;
    case TPicture::Open:
        g.setPen(kInk);
        g.setBrush(kYellow);
        g.drawPolygon(
            QPolygon({QPoint(0, 3), QPoint(5, 3), QPoint(6, 5), QPoint(13, 5), QPoint(13, 14), QPoint(0, 14)}));
        g.setBrush(kOlive);
        g.drawPolygon(QPolygon({QPoint(2, 8), QPoint(15, 8), QPoint(13, 14), QPoint(0, 14)}));
        break;
    case TPicture::Save:
        g.setPen(kInk);
        g.setBrush(kNavy);
        g.drawRect(1, 1, 13, 13);
        g.setBrush(kPaper);
        g.drawRect(3, 1, 9, 6);
        g.setBrush(kSilver);
        g.drawRect(4, 10, 7, 4);
        break;
    case TPicture::Cut:
        g.setRenderHint(QPainter::Antialiasing);
        g.setPen(QPen(kInk, 1.2));
        g.drawLine(QPointF(4, 1), QPointF(10, 10));
        g.drawLine(QPointF(11, 1), QPointF(5, 10));
        g.setPen(QPen(kNavy, 1.5));
        g.setBrush(Qt::NoBrush);
        g.drawEllipse(QRectF(1.5, 10, 4.5, 4.5));
        g.drawEllipse(QRectF(9.5, 10, 4.5, 4.5));
        break;
    case TPicture::Copy:
        Sheet(g, 0, 0, 9, 11);
        TextLines(g, 2, 4, 4, 3, kNavy);
        Sheet(g, 6, 4, 9, 11);
        TextLines(g, 8, 8, 4, 3, kNavy);
        break;
    case TPicture::Paste:
        g.setPen(kInk);
        g.setBrush(kOlive);
        g.drawRect(1, 2, 10, 13);
        g.setBrush(kSilver);
        g.drawRect(4, 0, 4, 3);
        Sheet(g, 6, 6, 9, 9);
        TextLines(g, 8, 10, 4, 2, kNavy);
        break;
    case TPicture::FileProp:
        Info(g, 0, kNavy, kPaper);
        Info(g, 16, kGrey, kSilver);
        break;
    case TPicture::First:
        g.fillRect(3, 2, 2, 11, kInk);
        Triangle(g, 5, 12, 7, 5);
        break;
    case TPicture::Previous: Triangle(g, 4, 11, 7, 5); break;
    case TPicture::Next: Triangle(g, 12, 5, 7, 5); break;
    case TPicture::Last:
        Triangle(g, 11, 4, 7, 5);
        g.fillRect(12, 2, 2, 11, kInk);
        break;
    case TPicture::Add:
        g.fillRect(7, 2, 3, 11, kInk);
        g.fillRect(2, 6, 13, 3, kInk);
        break;
    case TPicture::Delete: g.fillRect(2, 6, 13, 3, kInk); break;
    case TPicture::Post:
    case TPicture::AddAnswer: {
        g.setRenderHint(QPainter::Antialiasing);
        QPainterPath check;
        check.moveTo(2, 8);
        check.lineTo(6, 12);
        check.lineTo(14, 3);
        g.setPen(QPen(kGreen, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        g.drawPath(check);
        if (p == TPicture::AddAnswer) {
            g.setPen(QPen(kGreen, 1.5));
            g.drawLine(QPointF(11, 10), QPointF(11, 15));
            g.drawLine(QPointF(8.5, 12.5), QPointF(13.5, 12.5));
        }
        break;
    }
    case TPicture::DeleteAnswer:
        g.setRenderHint(QPainter::Antialiasing);
        g.setPen(QPen(kRed, 2.5, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(QPointF(3, 3), QPointF(13, 13));
        g.drawLine(QPointF(13, 3), QPointF(3, 13));
        break;
    case TPicture::HelpIndex:
        g.setPen(kInk);
        g.setBrush(kTeal);
        g.drawRect(1, 1, 9, 12);
        g.setPen(kPaper);
        g.drawLine(3, 1, 3, 13);
        g.setRenderHint(QPainter::Antialiasing);
        g.setPen(QPen(kInk, 1.5));
        g.setBrush(kPaper);
        g.drawEllipse(QRectF(7.5, 6.5, 5, 5));
        g.drawLine(QPointF(12, 11), QPointF(15, 14));
        break;
    case TPicture::Help: {
        // Drawn, not written: a bold letter would load a font of its own while the
        // program starts, for this one picture.
        g.setRenderHint(QPainter::Antialiasing);
        g.setPen(QPen(kNavy, 2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        QPainterPath hook;
        hook.moveTo(5.4, 5.6);
        hook.cubicTo(5.4, 2.6, 10.6, 2.6, 10.6, 5.4);
        hook.cubicTo(10.6, 7.4, 8, 7.4, 8, 9.8);
        g.drawPath(hook);
        g.setPen(Qt::NoPen);
        g.setBrush(kNavy);
        g.drawRect(QRectF(7, 11, 2, 2));
        break;
    }
    case TPicture::Exit:
        g.setPen(kInk);
        g.setBrush(kOlive);
        g.drawRect(2, 1, 8, 14);
        g.setBrush(kYellow);
        g.drawEllipse(QRect(7, 8, 2, 2));
        Triangle(g, 15, 11, 8, 3);
        break;
    case TPicture::FileInfo: Info(g, 0, kTeal, kPaper); break;
    case TPicture::Web:
        g.setRenderHint(QPainter::Antialiasing);
        g.setPen(QPen(kNavy, 1));
        g.setBrush(QColor(120, 170, 255));
        g.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        g.setBrush(Qt::NoBrush);
        g.drawEllipse(QRectF(5, 1.5, 6, 13));
        g.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        g.drawLine(QPointF(3, 4.5), QPointF(13, 4.5));
        g.drawLine(QPointF(3, 11.5), QPointF(13, 11.5));
        break;
    case TPicture::Undo:
    case TPicture::Redo: TurnArrow(g, p == TPicture::Undo); break;
    case TPicture::Check:
        Sheet(g, 1, 0, 10, 14);
        TextLines(g, 3, 4, 5, 4, kGrey);
        g.setRenderHint(QPainter::Antialiasing);
        g.setPen(QPen(kInk, 1.5));
        g.setBrush(QColor(255, 255, 255, 160));
        g.drawEllipse(QRectF(7.5, 6.5, 5, 5));
        g.drawLine(QPointF(12, 11), QPointF(15, 14));
        break;
    }
}

}  // namespace

QPixmap PictureBitmap(TPicture picture)
{
    QPixmap bitmap(SizeOf(picture));
    bitmap.fill(Qt::transparent);
    QPainter painter(&bitmap);
    Draw(painter, picture);
    return bitmap;
}

QIcon PictureIcon(TPicture picture)
{
    const QPixmap bitmap = PictureBitmap(picture);
    if (picture != TPicture::FileProp)
        return QIcon(bitmap);
    QIcon icon;
    icon.addPixmap(bitmap.copy(0, 0, 16, 16), QIcon::Normal);
    icon.addPixmap(bitmap.copy(16, 0, 16, 16), QIcon::Disabled);
    return icon;
}

QIcon DeferredIcon(std::function<QIcon()> fetch)
{
    return QIcon(new TDeferredIconEngine(std::move(fetch)));
}
