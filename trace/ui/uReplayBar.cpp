#include "trace/ui/uReplayBar.h"

#include "base/uClock.h"
#include "widgets/uLook.h"

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 UsPerTenth = 100000;
constexpr qint64 PageUs = 10'000'000;
constexpr qint64 MostPositions = std::numeric_limits<int>::max();

// Rounded up; a >= 0 and b > 0, and no sum that could pass qint64's limit.
qint64 DivideUp(qint64 a, qint64 b)
{
    return a / b + (a % b != 0 ? 1 : 0);
}

// "01:23.4" or "1:01:23.4" for a span of the trace.
QString SpanText(qint64 us)
{
    const qint64 tenths = us / UsPerTenth;
    const qint64 seconds = tenths / 10;
    const QString minutesSeconds = QStringLiteral("%1:%2.%3")
                                       .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                                       .arg(seconds % 60, 2, 10, QLatin1Char('0'))
                                       .arg(tenths % 10);
    return seconds < 3600 ? minutesSeconds
                          : QStringLiteral("%1:%2").arg(seconds / 3600).arg(minutesSeconds);
}

}  // namespace

TReplayBar::TReplayBar(TReplay &replay, std::function<bool()> channelOpen, QWidget *parent)
    : QToolBar(QStringLiteral("Replay"), parent), m_replay(replay),
      m_channelOpen(std::move(channelOpen))
{
    setObjectName(QStringLiteral("ReplayBar"));
    setMovable(false);

    btnPlay = new QToolButton(this);
    btnPlay->setObjectName(QStringLiteral("btnPlay"));
    btnPlay->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addWidget(btnPlay);

    cbbSpeed = new QComboBox(this);
    cbbSpeed->setObjectName(QStringLiteral("cbbSpeed"));
    cbbSpeed->setAccessibleName(QStringLiteral("Replay speed"));
    for (int speed : TReplay::Speeds)
        cbbSpeed->addItem(QStringLiteral("%1x").arg(speed), speed);
    // Where a drop-down list's name is its current item (AT-SPI), its label names it.
    lSpeed = new QLabel(QStringLiteral("Speed"), this);
    lSpeed->setObjectName(QStringLiteral("lSpeed"));
    lSpeed->setContentsMargins(8, 0, 4, 0);
    lSpeed->setBuddy(cbbSpeed);
    addWidget(lSpeed);
    addWidget(cbbSpeed);

    // The time is what a screen reader reads; what it is, is said by the description.
    lTraceTime = new QLabel(this);
    lTraceTime->setObjectName(QStringLiteral("lTraceTime"));
    Look::MakeValueLabel(lTraceTime, QStringLiteral("Trace time"));
    lTraceTime->setContentsMargins(8, 0, 8, 0);
    addWidget(lTraceTime);

    sbPosition = new QSlider(Qt::Horizontal, this);
    sbPosition->setObjectName(QStringLiteral("sbPosition"));
    sbPosition->setAccessibleName(QStringLiteral("Position in the trace"));
    // The slider moves in tenths of a second, unless the trace holds more of them than an int:
    // a unit without a clock stamps its frames from 1970, and such a trace may run to the year
    // 9999. Then the steps are as long as it takes.
    const qint64 spanUs = m_replay.EndUs() - m_replay.StartUs();
    m_usPerStep = std::max(UsPerTenth, DivideUp(spanUs, MostPositions));
    m_lastPosition = int(DivideUp(spanUs, m_usPerStep));
    sbPosition->setRange(0, m_lastPosition);
    sbPosition->setPageStep(int(std::max<qint64>(1, PageUs / m_usPerStep)));
    sbPosition->setMinimumWidth(240);
    addWidget(sbPosition);

    connect(btnPlay, &QToolButton::clicked, this, &TReplayBar::PlayClick);
    connect(cbbSpeed, &QComboBox::currentIndexChanged, this, &TReplayBar::SpeedChange);
    connect(sbPosition, &QSlider::valueChanged, this, &TReplayBar::PositionChange);
    connect(&m_refresh, &QTimer::timeout, this, &TReplayBar::Refresh);
    m_refresh.start(100);
    Refresh();
}

void TReplayBar::PlayClick()
{
    if (m_replay.Playing())
        m_replay.Pause(SteadyUs());
    else
        m_replay.Play(SteadyUs());
    Refresh();
}

void TReplayBar::SpeedChange(int index)
{
    m_replay.SetSpeed(cbbSpeed->itemData(index).toInt(), SteadyUs());
}

void TReplayBar::PositionChange(int position)
{
    // The last step may be short of a whole one: the last position is the trace's end, and
    // the product of the steps could pass qint64's limit there.
    const qint64 fromStart =
        position < m_lastPosition ? position * m_usPerStep : m_replay.EndUs() - m_replay.StartUs();
    m_replay.Seek(m_replay.StartUs() + fromStart, SteadyUs());
    Refresh();
}

void TReplayBar::Refresh()
{
    const bool playing = m_replay.Playing();
    btnPlay->setText(playing ? QStringLiteral("Pause") : QStringLiteral("Play"));
    btnPlay->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    btnPlay->setEnabled(m_channelOpen());

    const qint64 now = m_replay.TraceTimeUs(SteadyUs());
    const qint64 fromStart = now - m_replay.StartUs();
    QString text = QDateTime::fromMSecsSinceEpoch(now / 1000).toString(QStringLiteral("HH:mm:ss"))
                   + QStringLiteral("   ") + SpanText(fromStart) + QStringLiteral(" / ")
                   + SpanText(m_replay.EndUs() - m_replay.StartUs());
    if (m_replay.AtEnd())
        text += QStringLiteral("   End of trace");
    lTraceTime->setText(text);

    // The user's drag is not taken for a seek of its own.
    if (!sbPosition->isSliderDown()) {
        const QSignalBlocker quiet(sbPosition);
        // Rounded up, so that the thumb stays where the user put it, at the end as well.
        sbPosition->setValue(int(DivideUp(std::max<qint64>(fromStart, 0), m_usPerStep)));
    }
}
