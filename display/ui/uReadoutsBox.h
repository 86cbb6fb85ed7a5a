#pragma once
// The readouts of the Logging page: both tilt angles and accelerations with their titles,
// the speed group (gbSpeed, which the page places on its own), the heating value and the
// four hidden track controls.

#include <QWidget>

class QGroupBox;
class QLabel;
class QSlider;
struct TSensorSample;
struct TChassisData;
struct TTrackerValues;

class TReadoutsBox : public QWidget
{
public:
    explicit TReadoutsBox(QWidget *parent = nullptr);

    // Rewrites every readout, hidden ones too, in the order of the refresh.
    void ShowValues(const TSensorSample &unit, const TChassisData &chassis);
    void ShowTrackers(const TTrackerValues &values);
    // Production shows the speed; the test protocol the angular velocity and, in the speed's
    // place, the temperature.
    void ShowEnvironment(bool production);

    QLabel *lTiltX1 = nullptr, *lTiltX2 = nullptr, *lWzdluzny = nullptr;
    QLabel *lAccX1 = nullptr, *lAccX2 = nullptr, *lGWzdluzne = nullptr;
    QLabel *lTiltY1 = nullptr, *lTiltY2 = nullptr, *lPoprzeczny = nullptr;
    QLabel *lAccY1 = nullptr, *lAccY2 = nullptr, *lGPoprzeczne = nullptr;

    QGroupBox *gbSpeed = nullptr;
    QLabel *lSpeedLabel = nullptr, *lSpeed = nullptr;
    QLabel *lAngVel = nullptr, *lKatowa = nullptr;
    QLabel *lTempLabel = nullptr, *lTemperatura = nullptr;
    QLabel *Label9 = nullptr, *lHeating = nullptr;

    QSlider *tbGP = nullptr, *tbGW = nullptr, *JvTrackBarW = nullptr, *JvTrackBarP = nullptr;

private:
    QWidget *BuildReadouts();
    QGroupBox *BuildSpeedGroup();
};
