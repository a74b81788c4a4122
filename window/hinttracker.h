#pragma once
// The program-wide current hint: the hint of the control under the mouse pointer, or
// of its nearest enclosing control that has one, up to its window; the hint of the
// highlighted item while a menu is open. Hints live in the "Hint" property of
// widgets and actions, so that they need not be tooltips.
#include <QObject>
#include <QString>

class QMenu;
class QMenuBar;
class QWidget;

void SetHint(QObject *object, const QString &hint);
QString HintOf(const QObject *object);

class THintTracker : public QObject {
    Q_OBJECT
public:
    // Watches every widget of the application.
    explicit THintTracker(QObject *parent = nullptr);
    ~THintTracker() override;

    QString CurrentHint() const { return FCurrentHint; }

    // Menus report their highlighted item; a menu bar's titles carry no hints.
    void WatchMenu(QMenu *menu);
    void WatchMenuBar(QMenuBar *bar);

    // The hint a widget shows: its own or its nearest enclosing one's.
    static QString HintFor(const QWidget *widget);

signals:
    void HintChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetCurrentHint(const QString &hint);
    void RecomputeUnderPointer();

    QString FCurrentHint;
};
