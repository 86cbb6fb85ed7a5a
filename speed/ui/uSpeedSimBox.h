#pragma once
// The speed simulation choice of the Logging page, and the second switch group that the page
// keeps hidden, whose label shows by its colour whether the last speed frame went out. Either
// runs the simulation of the speed source.

#include <QTimer>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QSlider;
class TRadioGroup;
class TSpeedSource;

class TSpeedSimBox : public QWidget
{
public:
    explicit TSpeedSimBox(QWidget *parent = nullptr);
    // The source whose simulation the group runs and whose VBOX speed and frames it shows.
    void Attach(TSpeedSource &speed);

    void rgDemoSpeedClick();
    void cbSimSpeedEnableClick();
    void TimerSimSpeedTimer();

    enum class TSendResult { None, Sent, Failed };
    void ShowSendResult(TSendResult result);

    TRadioGroup *rgDemoSpeed = nullptr;
    QGroupBox *gbSimSpeed = nullptr;
    QCheckBox *cbSimSpeedEnable = nullptr;
    QLabel *lSimSpeed = nullptr;
    QSlider *tbSimSpeed = nullptr;
    QCheckBox *cbSpeedTrunc = nullptr;

    QTimer TimerSimSpeed;  // 20 ms, sends the simulated speed

private:
    void RunSpeedSimulation(bool run);

    TSpeedSource *m_speed = nullptr;
};
