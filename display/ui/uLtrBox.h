#pragma once
// The "LTR" group of the Logging page: the threshold track bar and the reported value, red
// with a repeated sound while the alarm holds.

#include "display/uLtrAlarm.h"

#include <QGroupBox>
#include <QTimer>

#include <memory>

class QLabel;
class QSlider;
class TAcquisition;
class TEventSink;

class TLtrBox : public QGroupBox
{
public:
    explicit TLtrBox(QWidget *parent = nullptr);
    ~TLtrBox() override;
    // The unit whose LTR the alarm watches, the sound it plays and where it reports coming on
    // and going off (null for nowhere).
    void Attach(const TAcquisition &acquisition, TAlarmSound &sound, TEventSink *events);

    // Position 0..10, the threshold in tenths.
    int Position() const;
    void ShowThreshold(double threshold);
    void ShowLtr(double ltr, bool alarm);

    QSlider *tbLTRthreshold = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *lLTRthreshold = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *lLTR = nullptr;
    QTimer TimerLTR;  // 3000 ms, repeats the alarm sound

    void onLPTRChange();
    void TimerLTRTimer();
    // Decides the alarm for the unit's LTR and shows both.
    void CheckLtrAlarm();
    // Whether the alarm holds, and the threshold, for the events record of a log just started.
    void ReportAlarmState() const;
    bool LtrAlarmActive() const { return m_alarm->LtrAlarmActive; }

private:
    bool m_alarmShown = false;
    const TAcquisition *m_acquisition = nullptr;
    std::unique_ptr<TAlarmTimer> m_timer;
    std::unique_ptr<TLtrAlarm> m_alarm;
};
