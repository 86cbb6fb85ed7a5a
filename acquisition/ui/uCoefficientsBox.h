#pragma once
// The vehicle coefficients group of the Calibration page. It is kept hidden and disabled and
// nothing reads it: the unit computes the LTR itself.

#include <QGroupBox>

class TCoefficientsBox : public QGroupBox
{
public:
    explicit TCoefficientsBox(QWidget *parent = nullptr);
};
