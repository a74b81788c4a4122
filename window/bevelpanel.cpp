#include "bevelpanel.h"

#include <QPainter>
#include <qdrawutil.h>

namespace {
constexpr int kBevelWidth = 1;

int Inset(TBevelPanel::TBevel bevel)
{
    return bevel == TBevelPanel::bvNone ? 0 : kBevelWidth;
}

void DrawBevel(QPainter &painter, const QRect &rect, TBevelPanel::TBevel bevel, const QPalette &palette)
{
    if (bevel != TBevelPanel::bvNone)
        qDrawShadeRect(&painter, rect, palette, bevel == TBevelPanel::bvLowered, kBevelWidth);
}
}  // namespace

TBevelPanel::TBevelPanel(TBevel outer, TBevel inner, int borderWidth, QWidget *parent)
    : QLabel(parent), FOuter(outer), FInner(inner), FBorderWidth(borderWidth)
{
    setFrameShape(QFrame::NoFrame);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // A caption is shown as the characters it holds; Qt would guess markup in it.
    setTextFormat(Qt::PlainText);
    const int inset = Inset(outer) + borderWidth + Inset(inner);
    // The caption starts just inside the inner bevel; the status fields are narrow.
    setContentsMargins(inset + 1, inset, inset, inset);
}

void TBevelPanel::setText(const QString &text)
{
    if (text == QLabel::text())
        return;
    QLabel::setText(text);
    emit CaptionChanged();
}

void TBevelPanel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    QPainter painter(this);
    QRect r = rect();
    DrawBevel(painter, r, FOuter, palette());
    r.adjust(Inset(FOuter) + FBorderWidth, Inset(FOuter) + FBorderWidth, -(Inset(FOuter) + FBorderWidth),
             -(Inset(FOuter) + FBorderWidth));
    DrawBevel(painter, r, FInner, palette());
}
