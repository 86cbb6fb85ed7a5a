#pragma once
// The "CAN Bus" group of the Logging page: the status label and the two channel buttons.

#include <QGroupBox>

class QLabel;
class QPushButton;

class TCanBusBox : public QGroupBox
{
public:
    explicit TCanBusBox(QWidget *parent = nullptr);

    QLabel *Label8 = nullptr;
    QLabel *lCANStatus = nullptr;
    QPushButton *btnInit = nullptr;
    QPushButton *btnRelease = nullptr;
};
