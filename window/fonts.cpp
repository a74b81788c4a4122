#include "fonts.h"

#include <QStringList>

QFont SansFont(int pixelSize)
{
    // Wider sans fonts run captions past the widths the layouts were drawn for.
    QFont font(QStringLiteral("Segoe UI"));
    font.setFamilies(QStringList{QStringLiteral("Segoe UI"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

QFont ArialFont(int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setFamilies(QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}
