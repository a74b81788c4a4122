#pragma once
// What the program's own dialogs share: a fixed-size dialog with its name, caption
// and font, and push buttons placed by their design coordinates.
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

class QDialog;
class QPushButton;
class QWidget;

void SetUpFixedDialog(QDialog &dialog, const char *name, const QString &caption, const QFont &font, QSize size);

QPushButton *MakePushButton(QWidget *parent, const char *name, const QString &caption, QRect geometry);
