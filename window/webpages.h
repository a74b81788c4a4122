#pragma once
// The two web pages the program offers to open: the editor's own and the game's.
#include <QString>

inline const QString kKelmorWebPage = QStringLiteral("https://kelmor.example.org/");
inline const QString kMirolaWebPage = QStringLiteral("https://mirola.example.org/");
