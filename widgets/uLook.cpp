#include "widgets/uLook.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionTab>

namespace Look {

void SetTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

void SetFill(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetBold(QWidget *widget, int pixelSize)
{
    QFont font = widget->font();
    font.setBold(true);
    if (pixelSize > 0)
        font.setPixelSize(pixelSize);
    widget->setFont(font);
}

QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, const QColor &colour,
                  int pixelSize)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    SetTextColour(label, colour);
    SetBold(label, pixelSize);
    return label;
}

void MakeValueLabel(QLabel *label, const QString &description)
{
    label->setAccessibleDescription(description);
}

}  // namespace Look

TGradientBackground::TGradientBackground(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("GradientBackground"));
    Look::SetTextColour(this, Qt::white);
}

void TGradientBackground::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0.0, QColor(168, 168, 168));
    gradient.setColorAt(1.0, QColor(92, 92, 92));
    painter.fillRect(event->rect(), gradient);
}

TGradientTabBar::TGradientTabBar(QWidget *parent) : QTabBar(parent)
{
    setDrawBase(false);
}

QSize TGradientTabBar::tabSizeHint(int index) const
{
    // Measured in bold so that the tab does not change size when it becomes active.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    return QSize(metrics.horizontalAdvance(tabText(index)) + 28, metrics.height() + 10);
}

void TGradientTabBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int index = 0; index < count(); ++index) {
        const QRect rect = tabRect(index).adjusted(1, 1, -1, 0);
        const bool active = index == currentIndex();
        QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
        gradient.setColorAt(0.0, active ? QColor(250, 250, 250) : QColor(215, 215, 215));
        gradient.setColorAt(1.0, active ? QColor(170, 170, 170) : QColor(128, 128, 128));
        painter.setPen(QColor(90, 90, 90));
        painter.setBrush(gradient);
        painter.drawRoundedRect(rect, 3, 3);

        QFont font = this->font();
        font.setBold(active);
        painter.setFont(font);
        painter.setPen(active ? Qt::black : QColor(40, 40, 40));
        painter.drawText(rect, Qt::AlignCenter, tabText(index));
        if (active && hasFocus()) {
            painter.setPen(QPen(QColor(60, 60, 60), 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect.adjusted(4, 4, -5, -5));
        }
    }
}

TGradientTabWidget::TGradientTabWidget(QWidget *parent) : QTabWidget(parent)
{
    setTabBar(new TGradientTabBar(this));
    setDocumentMode(true);
}
