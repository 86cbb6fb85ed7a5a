#include "display/ui/uChartView.h"

#include "display/uChartHover.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

TChartView::TChartView(TChartModel &model, QWidget *parent)
    : QWidget(parent), m_model(model), m_painter(model)
{
    setObjectName(QStringLiteral("Chart1"));
    setAccessibleName(QStringLiteral("Chart"));
    setMinimumHeight(300);
    setAttribute(Qt::WA_OpaquePaintEvent);  // the picture covers every pixel
    m_painter.LabelFont = font();
    Describe();
}

void TChartView::SetAxes(const TAxisRange &left, const TAxisRange &right,
                         const TAxisRange &bottom)
{
    m_painter.Left = left;
    m_painter.Right = right;
    m_painter.Bottom = bottom;
    SeriesChanged();
}

void TChartView::SeriesChanged()
{
    m_whole = true;
    Describe();
}

void TChartView::Refresh()
{
    const unsigned changed = m_model.TakeChangedSeries();
    const qreal ratio = devicePixelRatioF();
    if (m_picture.size() != size() * ratio || m_picture.devicePixelRatioF() != ratio
        || m_model.ResetCount() != m_drawnResets)
        m_whole = true;
    if (m_whole) {
        DrawAll();
        update();
        return;
    }
    if (!changed)
        return;
    QPainter painter(&m_picture);
    for (int series = 0; series < ChartSeriesCount; ++series) {
        const qsizetype points = m_model.Points(series).size();
        if (!m_model.SeriesOn(series) || points == m_drawn[size_t(series)])
            continue;
        m_painter.PaintSegments(painter, series, m_drawn[size_t(series)]);
        m_drawn[size_t(series)] = points;
    }
    update(m_painter.Plot().toAlignedRect().adjusted(-2, -2, 2, 2));
}

void TChartView::DrawAll()
{
    const qreal ratio = devicePixelRatioF();
    m_picture = QImage(size() * ratio, QImage::Format_RGB32);
    m_picture.setDevicePixelRatio(ratio);
    m_painter.LabelFont = font();
    m_painter.Layout(rect());
    QPainter painter(&m_picture);
    m_painter.PaintAll(painter);
    for (int series = 0; series < ChartSeriesCount; ++series)
        m_drawn[size_t(series)] = m_model.SeriesOn(series) ? m_model.Points(series).size() : 0;
    m_drawnResets = m_model.ResetCount();
    m_whole = false;
}

void TChartView::paintEvent(QPaintEvent *)
{
    // A move to a screen of another pixel ratio shows up here first.
    if (m_whole || m_picture.devicePixelRatioF() != devicePixelRatioF())
        DrawAll();
    QPainter(this).drawImage(0, 0, m_picture);
}

void TChartView::resizeEvent(QResizeEvent *)
{
    m_whole = true;
}

bool TChartView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString text = m_painter.Plot().contains(help->pos())
                                 ? ChartValuesAt(m_model, m_painter.XAt(help->pos().x()))
                                 : QString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

void TChartView::Describe()
{
    QStringList shown;
    for (int series = 0; series < ChartSeriesCount; ++series)
        if (m_model.SeriesOn(series))
            shown << ChartSeriesTitle(series);
    const auto range = [](const TAxisRange &axis) {
        return QStringLiteral("%1 to %2").arg(QLocale().toString(axis.Minimum),
                                              QLocale().toString(axis.Maximum));
    };
    setAccessibleDescription(
        QStringLiteral("%1. Lines: %2. Left axis %3, right axis %4, %5 %6 along the bottom.")
            .arg(QString::fromUtf8(TChartPainter::Title),
                 shown.isEmpty() ? QStringLiteral("none") : shown.join(QStringLiteral(", ")),
                 range(m_painter.Left), range(m_painter.Right), range(m_painter.Bottom),
                 m_model.SamplesAxis() ? QStringLiteral("samples") : QStringLiteral("s")));
}
