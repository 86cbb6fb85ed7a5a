#pragma once
// The "LTR" group of the Logging page: the threshold track bar and the reported value.

#include <QGroupBox>

class QLabel;
class QSlider;

class TLtrBox : public QGroupBox
{
public:
    explicit TLtrBox(QWidget *parent = nullptr);

    // Position 0..10, the threshold in tenths.
    int Position() const;
    void ShowThreshold(double threshold);
    void ShowLtr(double ltr, bool alarm);

    QSlider *tbLTRthreshold = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *lLTRthreshold = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *lLTR = nullptr;

private:
    bool m_alarmShown = false;
};
