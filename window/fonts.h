#pragma once
// The fonts the windows were drawn with, and the stand-ins with the same metrics
// where a machine lacks them: Liberation Sans for Segoe UI, Arial and MS Sans Serif.
#include <QFont>

// "Segoe UI" at the given pixel height, or its stand-in.
QFont SansFont(int pixelSize);

// "Arial" at the given pixel height, or its stand-in.
QFont ArialFont(int pixelSize);
