#pragma once
// The "LTR" group of the Logging page: the threshold track bar and the reported value, red
// while the alarm holds.

#include <QGroupBox>

class QLabel;
class QSlider;
class TLtrWatch;
struct TAcquisitionState;

class TLtrBox : public QGroupBox
{
public:
    explicit TLtrBox(QWidget *parent = nullptr);
    // Whose unit 1's LTR is shown, and the alarm that the track bar sets.
    void Attach(const TAcquisitionState &state, TLtrWatch &watch);

    // Position 0..10, the threshold in tenths.
    int Position() const;
    void ShowThreshold(double threshold);
    void ShowLtr(double ltr, bool alarm);

    QSlider *tbLTRthreshold = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *lLTRthreshold = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *lLTR = nullptr;

    void onLPTRChange();
    // Unit 1's LTR, red while the alarm holds.
    void ShowLtrAlarm();

private:
    bool m_alarmShown = false;
    const TAcquisitionState *m_state = nullptr;
    TLtrWatch *m_watch = nullptr;
};
