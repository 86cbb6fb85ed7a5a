#pragma once
// The Calibration page: what to do, the three request buttons, which send their request to
// the unit, and the vehicle coefficients that the page keeps hidden.

#include <QWidget>

class QLabel;
class QPushButton;
class TAcquisition;
class TCoefficientsBox;
class TEventSink;

class TCalibrationPage : public QWidget
{
public:
    explicit TCalibrationPage(QWidget *parent = nullptr);
    // The channel the requests go out on, and where they are reported (null for nowhere).
    void Attach(TAcquisition &acquisition, TEventSink *events);

    // The buttons follow the unit's online state as it was when the page was last shown.
    void EnableRequests(bool enabled);

    QLabel *lInstruction1 = nullptr;
    QLabel *lInstruction2 = nullptr;
    QPushButton *btnCalibrate = nullptr;
    QPushButton *btnCalibrateReset = nullptr;
    QPushButton *btnCalibrateFactory = nullptr;
    TCoefficientsBox *gbWspolczynniki = nullptr;

    void btnCalibrateClick();
    void btnCalibrateResetClick();
    void btnCalibrateFactoryClick();
    // Sent only while unit 1 is online; a frame the adapter refuses is reported.
    void RequestCalibration(quint8 code);

private:
    TAcquisition *m_acquisition = nullptr;
    TEventSink *m_events = nullptr;
};
