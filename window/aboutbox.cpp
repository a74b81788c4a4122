#include "aboutbox.h"

#include <QCoreApplication>

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Infos"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    FormCreate();
}

void TAboutBox::FormCreate()
{
    setWindowTitle(QStringLiteral("Info über ") + QCoreApplication::applicationName());
}
