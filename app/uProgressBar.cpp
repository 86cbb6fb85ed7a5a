#include "app/uProgressBar.h"

#include <algorithm>

namespace {

constexpr int BarWidth = 30;

}  // namespace

TProgressBar::TProgressBar(QTextStream &terminal, const QString &label)
    : m_terminal(terminal), m_label(label)
{
}

void TProgressBar::Show(qint64 done, qint64 total)
{
    if (m_sinceDrawn.isValid() && m_sinceDrawn.elapsed() < RedrawEveryMs)
        return;
    Draw(total > 0 ? int(std::clamp<qint64>(done * 100 / total, 0, 100)) : 0);
}

void TProgressBar::Finish()
{
    Draw(100);
    m_terminal << '\n';
    m_terminal.flush();
}

void TProgressBar::Draw(int percent)
{
    m_sinceDrawn.start();
    const int filled = percent * BarWidth / 100;
    m_terminal << '\r' << m_label << " [" << QString(filled, QLatin1Char('#'))
               << QString(BarWidth - filled, QLatin1Char(' ')) << "] "
               << QStringLiteral("%1%").arg(percent, 3);
    m_terminal.flush();
}
