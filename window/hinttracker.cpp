#include "hinttracker.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace {
constexpr const char *kHintProperty = "Hint";
}

void SetHint(QObject *object, const QString &hint)
{
    object->setProperty(kHintProperty, hint);
}

QString HintOf(const QObject *object)
{
    return object != nullptr ? object->property(kHintProperty).toString() : QString();
}

THintTracker::THintTracker(QObject *parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

THintTracker::~THintTracker()
{
    if (qApp != nullptr)
        qApp->removeEventFilter(this);
}

QString THintTracker::HintFor(const QWidget *widget)
{
    for (const QWidget *w = widget; w != nullptr; w = w->parentWidget()) {
        const QString hint = HintOf(w);
        // A window ends the search: a popup menu or a dialog never borrows the hint
        // of the window it belongs to.
        if (!hint.isEmpty() || w->isWindow())
            return hint;
    }
    return {};
}

void THintTracker::WatchMenu(QMenu *menu)
{
    connect(menu, &QMenu::hovered, this, [this](QAction *item) { SetCurrentHint(HintOf(item)); });
    connect(menu, &QMenu::aboutToShow, this, [this] { SetCurrentHint({}); });
    // Only a menu that is not a submenu gives the pointer back to the window.
    connect(menu, &QMenu::aboutToHide, this, [this, menu] {
        if (qobject_cast<QMenu *>(menu->parentWidget()) == nullptr)
            RecomputeUnderPointer();
    });
}

void THintTracker::WatchMenuBar(QMenuBar *bar)
{
    // The bar also repeats the items highlighted in its menus; its own titles have no
    // hints.
    connect(bar, &QMenuBar::hovered, this, [this](QAction *item) { SetCurrentHint(HintOf(item)); });
}

bool THintTracker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        if (auto *widget = qobject_cast<QWidget *>(watched)) {
            // Leave events come innermost first, so the last one names the widget
            // the pointer is now over.
            if (event->type() == QEvent::Enter)
                SetCurrentHint(HintFor(widget));
            else
                SetCurrentHint(widget->isWindow() ? QString() : HintFor(widget->parentWidget()));
        }
    }
    return QObject::eventFilter(watched, event);
}

void THintTracker::RecomputeUnderPointer()
{
    SetCurrentHint(HintFor(QApplication::widgetAt(QCursor::pos())));
}

void THintTracker::SetCurrentHint(const QString &hint)
{
    if (hint == FCurrentHint)
        return;
    FCurrentHint = hint;
    emit HintChanged();
}
