#pragma once
// The live chart of the Logging page with its scale groups, visibility boxes and the hidden
// analysis group. The chart shows what the chart model holds, refreshed at the display tick.

#include "display/uChartModel.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class TChartView;
class TRadioGroup;

class TChartPanel : public QWidget
{
public:
    // unit: the values ResetChart takes as references (unit 1 of the main window).
    TChartPanel(TChartModel &model, const TSensorSample &unit, QWidget *parent = nullptr);

    void ResetChart();
    // Draws the points appended since the last call.
    void Refresh();

    void rgSkalaKataClick();
    void rgSkalaGClick();
    void rgSkalaCzasuClick();
    void cbShowSeriesClick();
    void cbTemperaturaClick();

    TChartView *Chart1 = nullptr;

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
    QWidget *BuildControls();
    QGroupBox *BuildAnalysis();

    TChartModel &m_model;
    const TSensorSample &m_unit;
    int m_shownResets = 0;
};
