#pragma once
// A panel with bevels around it and an optional caption, left-justified and
// vertically centred: the toolbar, the status line and its fields, the record form.
#include <QLabel>

class TBevelPanel : public QLabel {
    Q_OBJECT
public:
    enum TBevel { bvNone, bvLowered, bvRaised };

    TBevelPanel(TBevel outer, TBevel inner, int borderWidth, QWidget *parent = nullptr);

    // Stands in for QLabel's setText, which tells no one of a new caption; a caption
    // set through a QLabel pointer goes unannounced.
    void setText(const QString &text);

signals:
    // The caption is a different one; a panel that grows with it needs laying out.
    void CaptionChanged();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TBevel FOuter;
    TBevel FInner;
    int FBorderWidth;
};
