#pragma once
// The speed simulation choice of the Logging page, and the second switch group that the page
// keeps hidden, whose label shows by its colour whether the last speed frame went out.

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QSlider;
class TRadioGroup;

class TSpeedSimBox : public QWidget
{
public:
    explicit TSpeedSimBox(QWidget *parent = nullptr);

    enum class TSendResult { None, Sent, Failed };
    void ShowSendResult(TSendResult result);

    TRadioGroup *rgDemoSpeed = nullptr;
    QGroupBox *gbSimSpeed = nullptr;
    QCheckBox *cbSimSpeedEnable = nullptr;
    QLabel *lSimSpeed = nullptr;
    QSlider *tbSimSpeed = nullptr;
    QCheckBox *cbSpeedTrunc = nullptr;
};
