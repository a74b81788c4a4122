#include "dialogparts.h"

#include <QDialog>
#include <QPushButton>

void SetUpFixedDialog(QDialog &dialog, const char *name, const QString &caption, const QFont &font, QSize size)
{
    dialog.setObjectName(QLatin1String(name));
    dialog.setWindowTitle(caption);
    dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    dialog.setFont(font);
    dialog.setFixedSize(size);
}

QPushButton *MakePushButton(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}
