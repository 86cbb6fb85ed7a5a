#pragma once
// The program's look: gray gradients, white bold captions, tabs with the active one in bold.
// Colours and fonts go through palettes, not style sheets: a style sheet makes every repaint
// of a value label repaint its ancestors through the slow style-sheet path.

#include <QTabBar>
#include <QTabWidget>

class QLabel;
class QWidget;

namespace Look {

// Text drawn in this colour by the widget and, unless they say otherwise, its children.
void SetTextColour(QWidget *widget, const QColor &colour);
// The widget paints its background in this colour.
void SetFill(QWidget *widget, const QColor &colour);
// Bold text, at a pixel size when one is given.
void SetBold(QWidget *widget, int pixelSize = 0);

// A bold label named as its control.
QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, const QColor &colour,
                  int pixelSize = 0);

// A label that shows a value: its text stays its accessible name, the description says what
// it shows, so screen readers and UI automation find it.
void MakeValueLabel(QLabel *label, const QString &description);

}  // namespace Look

// A window background with the vertical gray gradient; its children write white by default.
class TGradientBackground : public QWidget
{
public:
    explicit TGradientBackground(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Tabs drawn as gradients towards gray, the active one in bold.
class TGradientTabBar : public QTabBar
{
public:
    explicit TGradientTabBar(QWidget *parent = nullptr);

protected:
    QSize tabSizeHint(int index) const override;
    void paintEvent(QPaintEvent *event) override;
};

class TGradientTabWidget : public QTabWidget
{
public:
    explicit TGradientTabWidget(QWidget *parent = nullptr);
};
