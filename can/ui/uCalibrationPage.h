#pragma once
// The Calibration page: what to do, the three request buttons, and the vehicle coefficients
// that the page keeps hidden.

#include <QWidget>

class QLabel;
class QPushButton;
class TCoefficientsBox;

class TCalibrationPage : public QWidget
{
public:
    explicit TCalibrationPage(QWidget *parent = nullptr);

    // The buttons follow the unit's online state as it was when the page was last shown.
    void EnableRequests(bool enabled);

    QLabel *lInstruction1 = nullptr;
    QLabel *lInstruction2 = nullptr;
    QPushButton *btnCalibrate = nullptr;
    QPushButton *btnCalibrateReset = nullptr;
    QPushButton *btnCalibrateFactory = nullptr;
    TCoefficientsBox *gbWspolczynniki = nullptr;
};
