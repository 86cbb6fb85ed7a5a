#include "can/uTrafficPane.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr int Margin = 4;  // px around the text, as a text pane leaves

} // namespace

TTrafficPane::TTrafficPane(int capacity, QWidget *parent)
    : QAbstractScrollArea(parent), m_lines(capacity)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
}

int TTrafficPane::LineHeight() const
{
    return qMax(1, fontMetrics().lineSpacing());
}

int TTrafficPane::VisibleRows() const
{
    return qMax(1, (viewport()->height() - 2 * Margin) / LineHeight());
}

void TTrafficPane::UpdateScrollRanges()
{
    QScrollBar *vertical = verticalScrollBar();
    vertical->setPageStep(VisibleRows());
    vertical->setRange(0, qMax(0, m_lines.Count() - VisibleRows()));
    QScrollBar *horizontal = horizontalScrollBar();
    const int width = m_lines.LongestLine() * fontMetrics().horizontalAdvance(QLatin1Char('0'))
                      + 2 * Margin;
    horizontal->setPageStep(viewport()->width());
    horizontal->setSingleStep(fontMetrics().horizontalAdvance(QLatin1Char('0')));
    horizontal->setRange(0, qMax(0, width - viewport()->width()));
}

void TTrafficPane::ShowNewLines()
{
    QScrollBar *vertical = verticalScrollBar();
    const bool atEnd = vertical->value() >= vertical->maximum();
    const quint64 dropped = m_lines.FirstNumber() - m_shownFirst;
    const int top = int(qMax<qint64>(0, qint64(vertical->value()) - qint64(dropped)));
    m_shownFirst = m_lines.FirstNumber();
    UpdateScrollRanges();
    vertical->setValue(atEnd ? vertical->maximum() : top);
    viewport()->update();
}

QString TTrafficPane::JoinedLines(int first, int last) const
{
    QString text;
    for (int row = first; row <= last; ++row) {
        if (row > first)
            text += QLatin1Char('\n');
        text += m_lines.Line(row);
    }
    return text;
}

QString TTrafficPane::toPlainText() const
{
    return JoinedLines(0, m_lines.Count() - 1);
}

bool TTrafficPane::SelectedRows(int &first, int &last) const
{
    if (!m_selecting || m_lines.Count() == 0)
        return false;
    const quint64 lastNumber = qMax(m_anchor, m_cursor);
    const quint64 firstNumber = qMax(qMin(m_anchor, m_cursor), m_lines.FirstNumber());
    if (lastNumber < firstNumber)
        return false;
    first = int(firstNumber - m_lines.FirstNumber());
    last = int(lastNumber - m_lines.FirstNumber());
    return true;
}

QString TTrafficPane::SelectedText() const
{
    int first = 0;
    int last = 0;
    return SelectedRows(first, last) ? JoinedLines(first, last) : QString();
}

void TTrafficPane::Copy() const
{
    const QString text = SelectedText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void TTrafficPane::SelectAll()
{
    if (m_lines.Count() == 0)
        return;
    m_selecting = true;
    m_anchor = m_lines.FirstNumber();
    m_cursor = m_lines.Pushed() - 1;
    viewport()->update();
}

quint64 TTrafficPane::NumberAt(int y) const
{
    const int row = verticalScrollBar()->value() + qMax(0, y - Margin) / LineHeight();
    return m_lines.FirstNumber() + quint64(qMin(row, m_lines.Count() - 1));
}

void TTrafficPane::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const int height = LineHeight();
    const int top = verticalScrollBar()->value();
    const int end = qMin(m_lines.Count(), top + VisibleRows() + 1);
    const int x = Margin - horizontalScrollBar()->value();
    int selectedFirst = -1;
    int selectedLast = -2;
    SelectedRows(selectedFirst, selectedLast);
    for (int row = top; row < end; ++row) {
        const int y = Margin + (row - top) * height;
        const bool selected = row >= selectedFirst && row <= selectedLast;
        if (selected)
            painter.fillRect(0, y, viewport()->width(), height, palette().highlight());
        painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(x, y + fontMetrics().ascent(), m_lines.Line(row));
    }
}

void TTrafficPane::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    QScrollBar *vertical = verticalScrollBar();
    const bool atEnd = vertical->value() >= vertical->maximum();
    UpdateScrollRanges();
    if (atEnd)
        vertical->setValue(vertical->maximum());
}

void TTrafficPane::keyPressEvent(QKeyEvent *event)
{
    if (event == QKeySequence::Copy)
        Copy();
    else if (event == QKeySequence::SelectAll)
        SelectAll();
    else
        QAbstractScrollArea::keyPressEvent(event);
}

void TTrafficPane::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_lines.Count() == 0)
        return;
    const quint64 number = NumberAt(event->position().toPoint().y());
    if (!(event->modifiers() & Qt::ShiftModifier) || !m_selecting)
        m_anchor = number;
    m_cursor = number;
    m_selecting = true;
    viewport()->update();
}

void TTrafficPane::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || !m_selecting || m_lines.Count() == 0)
        return;
    const int y = event->position().toPoint().y();
    // Dragging past an edge scrolls, as in a text pane.
    if (y < 0)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (y > viewport()->height())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    m_cursor = NumberAt(qBound(0, y, viewport()->height() - 1));
    viewport()->update();
}

void TTrafficPane::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *copy = menu.addAction(tr("&Copy"), this, &TTrafficPane::Copy);
    copy->setShortcut(QKeySequence::Copy);
    int first = 0;
    int last = 0;
    copy->setEnabled(SelectedRows(first, last));
    QAction *selectAll = menu.addAction(tr("Select All"), this, &TTrafficPane::SelectAll);
    selectAll->setShortcut(QKeySequence::SelectAll);
    selectAll->setEnabled(m_lines.Count() > 0);
    menu.exec(event->globalPos());
}
