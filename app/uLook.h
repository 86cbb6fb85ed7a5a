#pragma once
// The program's look: gray gradients, white bold captions, tabs with the active one in bold.

#include <QTabBar>
#include <QTabWidget>

class QLabel;
class QWidget;

namespace Look {

// Style sheet of a window with the gray gradient background.
QString GradientWindowStyle();

// A label named as its control, with a style sheet of its own.
QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, const QString &style);

// A label that shows a value: its text stays its accessible name, the description says what
// it shows, so screen readers and UI automation find it.
void MakeValueLabel(QLabel *label, const QString &description);

} // namespace Look

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
