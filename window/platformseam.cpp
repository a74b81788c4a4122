#include "platformseam.h"

#include <QCoreApplication>

QString MsgDlgCaption(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning: return QStringLiteral("Warnung");
    case TMsgDlgType::mtError: return QStringLiteral("Fehler");
    case TMsgDlgType::mtInformation: return QStringLiteral("Informationen");
    case TMsgDlgType::mtConfirmation: return QStringLiteral("Bestätigen");
    }
    return {};
}

QString MsgDlgButtonCaption(TMsgDlgBtn button)
{
    switch (button) {
    case TMsgDlgBtn::mbYes: return QStringLiteral("&Ja");
    case TMsgDlgBtn::mbNo: return QStringLiteral("&Nein");
    case TMsgDlgBtn::mbOK: return QStringLiteral("OK");
    case TMsgDlgBtn::mbCancel: return QStringLiteral("Abbrechen");
    }
    return {};
}

QList<TFilterEntry> ParseFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QList<TFilterEntry> entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries.append({parts.at(i), parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)});
    return entries;
}

QString ApplicationTitle()
{
    return QCoreApplication::applicationName();
}
