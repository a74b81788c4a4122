#include "elementproperties.h"

#include <QVariant>
#include <QWidget>

int HelpContextOf(const QObject *element)
{
    for (; element != nullptr; element = element->parent()) {
        const int context = element->property(kHelpContextProperty).toInt();
        if (context != 0)
            return context;
        if (element->isWidgetType() && static_cast<const QWidget *>(element)->isWindow())
            break;
    }
    return 0;
}
