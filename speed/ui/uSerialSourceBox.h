#pragma once
// The serial speed source's controls, which the Logging page keeps hidden: the port's name,
// GPS and VBOX (the chosen one in bold type) and the demo run's button.

#include <QWidget>

class QLineEdit;
class QPushButton;
class TSpeedSimBox;
class TSpeedSource;

class TSerialSourceBox : public QWidget
{
public:
    // The speed simulation is switched off whenever another source is chosen.
    TSerialSourceBox(TSpeedSource &speed, TSpeedSimBox &simulation, QWidget *parent = nullptr);

    void btnGPSClick();
    void btnVBOXClick();

    QLineEdit *eComGPS = nullptr;
    QPushButton *btnGPS = nullptr;
    QPushButton *btnVBOX = nullptr;
    QPushButton *btnSymulacja = nullptr;  // demo run

private:
    void SwitchSpeedSource(bool gps);

    TSpeedSource &m_speed;
    TSpeedSimBox &m_simulation;
};
