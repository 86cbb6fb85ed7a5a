#pragma once
// The Logging page: the channel, log and LTR groups on the left, the readouts and the chart in
// the middle, the car, the speed simulation and the logo on the right. Its log, LTR and speed
// groups work on the program's session; the main window wires the channel's.

#include "protocol/uProtocolEnv.h"

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
class TProgramSession;
class TStatusBox;
struct TAcquisitionState;
struct TPictureTurns;

class TLoggingPage : public QWidget
{
public:
    // The chart shows the session's unit 1, whose sample the groups show.
    TLoggingPage(TChartModel &chart, TProgramSession &session, QWidget *parent = nullptr);

    // Unit 1 and the chassis at a display tick, the car's pictures turned as planned.
    void ShowState(const TAcquisitionState &state, const TPictureTurns &turns);
    void ShowProtocolEnv(TProtocolEnv env);
    void ClearStatus();

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
