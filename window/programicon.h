#pragma once
// The program's icon, one drawing for the windows, the about box and the desktop.
#include <QIcon>
#include <QPixmap>

// The icon at the sizes the desktop asks for.
QIcon KelmorIcon();

// The icon drawn `size` logical pixels square for a screen of `devicePixelRatio`.
QPixmap KelmorPixmap(int size, qreal devicePixelRatio = 1.0);

// The program's pictures and help pages come from resources that live in a static
// library; whatever reads them calls this first.
void InitKelmorResources();
