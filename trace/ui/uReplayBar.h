#pragma once
// The bar shown while a trace is replayed: play and pause, the speed, the trace's time and a
// slider for the place in it. Play works while the channel is open, as the bus would.

#include "trace/uReplay.h"

#include <QTimer>
#include <QToolBar>

#include <functional>

class QComboBox;
class QLabel;
class QSlider;
class QToolButton;

class TReplayBar : public QToolBar
{
    Q_OBJECT
public:
    TReplayBar(TReplay &replay, std::function<bool()> channelOpen, QWidget *parent = nullptr);

    QToolButton *btnPlay = nullptr;
    QLabel *lSpeed = nullptr;
    QComboBox *cbbSpeed = nullptr;
    QLabel *lTraceTime = nullptr;
    QSlider *sbPosition = nullptr;

    void Refresh();

private:
    void PlayClick();
    void SpeedChange(int index);
    void PositionChange(int position);

    TReplay &m_replay;
    std::function<bool()> m_channelOpen;
    qint64 m_usPerStep = 0;  // of the slider: 100 ms, or more for a trace of over 6.8 years
    int m_lastPosition = 0;  // the trace's end
    QTimer m_refresh;
};
