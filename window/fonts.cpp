#include "fonts.h"

#include <QStringList>

namespace {

// The font named first where the machine has it, else the next; wider sans fonts
// would run captions past the widths the layouts were drawn for.
QFont FirstOf(const QStringList &families, int pixelSize)
{
    QFont font(families.constFirst());
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

}  // namespace

QFont SansFont(int pixelSize)
{
    return FirstOf({QStringLiteral("Segoe UI"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")}, pixelSize);
}

QFont ArialFont(int pixelSize)
{
    return FirstOf({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, pixelSize);
}
