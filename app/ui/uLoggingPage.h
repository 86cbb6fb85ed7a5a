#pragma once
// The Logging page: the channel, log and LTR groups on the left, the readouts and the chart in
// the middle, the car, the speed simulation and the logo on the right. The main window wires
// its groups to the program.

#include <QWidget>

class QComboBox;
class QLabel;
class TCanBusBox;
class TCarBox;
class TChartModel;
class TChartPanel;
class TLogBox;
class TLtrBox;
class TReadoutsBox;
class TSerialSourceBox;
class TSpeedSimBox;
class TSpeedSource;
class TStatusBox;
struct TSensorSample;

class TLoggingPage : public QWidget
{
public:
    // The chart shows unit's values; the speed groups run speed.
    TLoggingPage(TChartModel &chart, const TSensorSample &unit, TSpeedSource &speed,
                 QWidget *parent = nullptr);

    TCanBusBox *GroupBox4 = nullptr;
    TLogBox *gbSaveLog = nullptr;
    QComboBox *cbbBaudrates = nullptr;  // hidden; the settings dialog sets its index
    TLtrBox *gbLTR = nullptr;
    TReadoutsBox *Readouts = nullptr;
    TStatusBox *gbStatus = nullptr;
    TCarBox *gbCar = nullptr;
    TChartPanel *ChartPanel = nullptr;
    TSpeedSimBox *SpeedSim = nullptr;
    TSerialSourceBox *SerialSources = nullptr;  // hidden
    QLabel *lCANProtocol = nullptr;
    QLabel *Image1 = nullptr;
};
