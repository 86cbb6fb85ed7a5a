#pragma once
// The live chart of the Logging page with its scale groups, visibility boxes and the hidden
// analysis group. It draws what the chart model holds, once per CAN tick.

#include "display/uChartModel.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QChart;
class QChartView;
class QGroupBox;
class QLabel;
class QLineSeries;
class QValueAxis;
class TRadioGroup;

class TChartPanel : public QWidget
{
public:
    // unit: the values ResetChart takes as references (unit 1 of the main window).
    TChartPanel(TChartModel &model, const TSensorSample &unit, QWidget *parent = nullptr);

    void ResetChart();
    // Hands the points appended since the last call to the series.
    void Refresh();

    void rgSkalaKataClick();
    void rgSkalaGClick();
    void rgSkalaCzasuClick();
    void cbShowSeriesClick();
    void cbTemperaturaClick();

    QChartView *Chart1 = nullptr;
    std::array<QLineSeries *, ChartSeriesCount> Series{};
    QValueAxis *LeftAxis = nullptr;
    QValueAxis *RightAxis = nullptr;
    QValueAxis *BottomAxis = nullptr;

    QGroupBox *gbVisibility = nullptr;
    QCheckBox *cbKatPoprzeczny = nullptr;
    QCheckBox *cbKatWzdluzny = nullptr;
    QCheckBox *cbPrzyspPoprzeczne = nullptr;
    QCheckBox *cbPrzyspWzdluzne = nullptr;
    QCheckBox *cbTemperatura = nullptr;
    QCheckBox *cbShowLTR = nullptr;
    QCheckBox *cbOsXProbki = nullptr;
    TRadioGroup *rgSkalaKata = nullptr;
    TRadioGroup *rgSkalaG = nullptr;
    TRadioGroup *rgSkalaCzasu = nullptr;

    QGroupBox *gbAnaliza = nullptr;
    QLabel *ldtys = nullptr;
    QLabel *ldtxs = nullptr;
    QLabel *ldays = nullptr;
    QLabel *ldaxs = nullptr;

private:
    void BuildChart();
    QWidget *BuildControls();
    QGroupBox *BuildAnalysis();

    TChartModel &m_model;
    const TSensorSample &m_unit;
    int m_shownResets = 0;
};
