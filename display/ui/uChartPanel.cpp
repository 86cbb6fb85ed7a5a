#include "display/ui/uChartPanel.h"

#include "display/uChartThinning.h"
#include "widgets/uLook.h"
#include "widgets/uRadioGroup.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>

namespace {

struct TSeriesLook {
    const char *title;
    QColor colour;
    bool rightAxis;
};

constexpr int ChartSeriesOrder[] = {csTiltY, csTiltX, csAccY, csAccX, csTemperature, csLTR};

const TSeriesLook SeriesLooks[ChartSeriesCount] = {
    {"tilt Y", QColor(0, 128, 0), false}, {"tilt X", QColor(0, 0, 255), false},
    {"acc Y", QColor(64, 0, 0), true},    {"acc X", QColor(255, 0, 0), true},
    {"T", QColor(255, 255, 128), false},  {"LTR", QColor(255, 128, 192), true},
};

// Label spacing the chart chooses itself: a 1-2-5 step giving about eight intervals.
double AutomaticIncrement(double span)
{
    const double rough = span / 8.0;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    for (double step : {1.0, 2.0, 5.0, 10.0})
        if (step * decade >= rough)
            return step * decade;
    return 10.0 * decade;
}

void SetAxis(QValueAxis *axis, double minimum, double maximum, double increment)
{
    axis->setRange(minimum, maximum);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(minimum);
    axis->setTickInterval(increment > 0 ? increment : AutomaticIncrement(maximum - minimum));
}

void SetAxis(QValueAxis *axis, const TAxisRange &range)
{
    SetAxis(axis, range.Minimum, range.Maximum, range.Increment);
}

QCheckBox *MakeBox(QWidget *parent, const char *name, const char *caption, const QColor &colour,
                   bool checked)
{
    auto *box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    Look::SetTextColour(box, colour);
    Look::SetBold(box);
    box->setChecked(checked);
    return box;
}

}  // namespace

TChartPanel::TChartPanel(TChartModel &model, const TSensorSample &unit, QWidget *parent)
    : QWidget(parent), m_model(model), m_unit(unit)
{
    BuildChart();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Chart1, 1);
    layout->addWidget(BuildControls());
    gbAnaliza = BuildAnalysis();
    gbAnaliza->setVisible(false);
    layout->addWidget(gbAnaliza);
}

void TChartPanel::BuildChart()
{
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("Tilt angle [°], Acceleration [g], LTR [0..1]"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(12);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->setTitleBrush(QColor(0, 0, 255));
    chart->setLocalizeNumbers(true);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignRight);

    LeftAxis = new QValueAxis;
    RightAxis = new QValueAxis;
    BottomAxis = new QValueAxis;
    for (QValueAxis *axis : {LeftAxis, RightAxis, BottomAxis})
        axis->setLabelFormat(QStringLiteral("%.4g"));  // localized labels need a precision
    chart->addAxis(LeftAxis, Qt::AlignLeft);
    chart->addAxis(RightAxis, Qt::AlignRight);
    chart->addAxis(BottomAxis, Qt::AlignBottom);
    SetAxis(LeftAxis, ChartScales::AngleRange(ChartScales::AngleDefault));
    SetAxis(RightAxis, ChartScales::AccelerationRange(ChartScales::AccelerationDefault));
    RightAxis->setGridLineVisible(false);  // one grid, the angles'
    SetAxis(BottomAxis, 0, ChartScales::TimeWindowSeconds(ChartScales::TimeDefault), 0);

    for (int series : ChartSeriesOrder) {
        const TSeriesLook &look = SeriesLooks[series];
        auto *line = new QLineSeries;
        line->setName(QString::fromUtf8(look.title));
        line->setPen(QPen(look.colour, 2));
        line->setPointsVisible(false);
        chart->addSeries(line);
        line->attachAxis(BottomAxis);
        line->attachAxis(look.rightAxis ? RightAxis : LeftAxis);
        line->setVisible(m_model.SeriesOn(series));
        Series[size_t(series)] = line;
    }

    Chart1 = new QChartView(chart, this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setAccessibleName(QStringLiteral("Chart"));
    Chart1->setRenderHint(QPainter::Antialiasing, false);
    Chart1->setMinimumHeight(300);
}

QWidget *TChartPanel::BuildControls()
{
    auto *controls = new QWidget(this);
    rgSkalaKata = new TRadioGroup(QStringLiteral("Scale [°] "), ChartScales::AngleItems(),
                                  ChartScales::AngleDefault, controls);
    rgSkalaKata->setObjectName(QStringLiteral("rgSkalaKata"));
    rgSkalaG = new TRadioGroup(QStringLiteral("Scale [ g ]"), ChartScales::AccelerationItems(),
                               ChartScales::AccelerationDefault, controls);
    rgSkalaG->setObjectName(QStringLiteral("rgSkalaG"));
    rgSkalaCzasu = new TRadioGroup(QStringLiteral("Scale [ s ]"), ChartScales::TimeItems(),
                                   ChartScales::TimeDefault, controls);
    rgSkalaCzasu->setObjectName(QStringLiteral("rgSkalaCzasu"));
    connect(rgSkalaKata, &TRadioGroup::Clicked, this, &TChartPanel::rgSkalaKataClick);
    connect(rgSkalaG, &TRadioGroup::Clicked, this, &TChartPanel::rgSkalaGClick);
    connect(rgSkalaCzasu, &TRadioGroup::Clicked, this, &TChartPanel::rgSkalaCzasuClick);

    gbVisibility = new QGroupBox(QStringLiteral("Visibility"), controls);
    gbVisibility->setObjectName(QStringLiteral("gbVisibility"));
    // The series colours need a light ground to be read.
    Look::SetFill(gbVisibility, QColor(226, 226, 226));
    Look::SetTextColour(gbVisibility, QColor(40, 40, 40));
    cbKatPoprzeczny =
        MakeBox(gbVisibility, "cbKatPoprzeczny", "tilt angle Y", QColor(0, 128, 0), true);
    cbKatWzdluzny = MakeBox(gbVisibility, "cbKatWzdluzny", "tilt angle X", QColor(0, 0, 255), true);
    cbPrzyspPoprzeczne =
        MakeBox(gbVisibility, "cbPrzyspPoprzeczne", "acceleration Y", QColor(Qt::black), true);
    cbPrzyspWzdluzne =
        MakeBox(gbVisibility, "cbPrzyspWzdluzne", "acceleration X", QColor(255, 0, 0), true);
    cbTemperatura = MakeBox(gbVisibility, "cbTemperatura", "temp.", QColor(Qt::white), false);
    cbTemperatura->setVisible(false);
    cbShowLTR = MakeBox(gbVisibility, "cbShowLTR", "LTR", QColor(96, 144, 255), true);
    cbOsXProbki = MakeBox(gbVisibility, "cbOsXProbki", "samples", QColor(Qt::white), false);
    cbOsXProbki->setVisible(false);
    for (QCheckBox *box :
         {cbKatPoprzeczny, cbKatWzdluzny, cbPrzyspPoprzeczne, cbPrzyspWzdluzne, cbShowLTR})
        connect(box, &QCheckBox::toggled, this, &TChartPanel::cbShowSeriesClick);
    // Toggled, not clicked: a screen reader's toggle action must have the click's effect.
    connect(cbTemperatura, &QCheckBox::toggled, this, &TChartPanel::cbTemperaturaClick);
    connect(cbOsXProbki, &QCheckBox::toggled, this, &TChartPanel::rgSkalaCzasuClick);

    auto *boxes = new QVBoxLayout(gbVisibility);
    boxes->setSpacing(1);
    for (QCheckBox *box : {cbKatPoprzeczny, cbKatWzdluzny, cbPrzyspPoprzeczne, cbPrzyspWzdluzne,
                           cbTemperatura, cbShowLTR, cbOsXProbki})
        boxes->addWidget(box);

    auto *layout = new QHBoxLayout(controls);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(gbVisibility, 1);
    layout->addWidget(rgSkalaKata, 1);
    layout->addWidget(rgSkalaG, 1);
    layout->addWidget(rgSkalaCzasu, 1);
    return controls;
}

QGroupBox *TChartPanel::BuildAnalysis()
{
    auto *group = new QGroupBox(QStringLiteral("Analyze"), this);
    group->setObjectName(QStringLiteral("gbAnaliza"));
    auto *layout = new QGridLayout(group);
    const struct {
        const char *name;
        const char *valueName;
        const char *caption;
        const char *description;
        QLabel **value;
    } rows[] = {
        {"ldty", "ldtys", "d tiltY", "Change of tilt angle Y", &ldtys},
        {"ldtx", "ldtxs", "d tiltX", "Change of tilt angle X", &ldtxs},
        {"lday", "ldays", "d accY", "Change of acceleration Y", &ldays},
        {"ldax", "ldaxs", "d accX", "Change of acceleration X", &ldaxs},
    };
    int row = 0;
    for (const auto &r : rows) {
        auto *caption = Look::MakeLabel(group, r.name, QString::fromLatin1(r.caption), Qt::white);
        auto *value =
            Look::MakeLabel(group, r.valueName, QString::fromLatin1(r.caption), Qt::white);
        Look::MakeValueLabel(value, QString::fromLatin1(r.description));
        layout->addWidget(caption, row, 0);
        layout->addWidget(value, row, 1);
        *r.value = value;
        ++row;
    }
    return group;
}

void TChartPanel::ResetChart()
{
    m_model.ResetChart(m_unit);
    Refresh();
}

void TChartPanel::Refresh()
{
    const unsigned changed = m_model.TakeChangedSeries();
    const int columns = int(Chart1->chart()->plotArea().width());
    for (int series = 0; series < ChartSeriesCount; ++series)
        if (changed & (1u << series))
            Series[size_t(series)]->replace(ThinnedForColumns(
                m_model.Points(series), BottomAxis->min(), BottomAxis->max(), columns));

    if (m_model.ResetCount() != m_shownResets) {
        m_shownResets = m_model.ResetCount();
        const TChartAnalysis &analysis = m_model.Analysis();
        ldtys->setText(analysis.TiltY);
        ldtxs->setText(analysis.TiltX);
        ldays->setText(analysis.AccY);
        ldaxs->setText(analysis.AccX);
    }
}

void TChartPanel::rgSkalaKataClick()
{
    SetAxis(LeftAxis, ChartScales::AngleRange(rgSkalaKata->ItemIndex()));
    ResetChart();
}

void TChartPanel::rgSkalaGClick()
{
    SetAxis(RightAxis, ChartScales::AccelerationRange(rgSkalaG->ItemIndex()));
    ResetChart();
}

void TChartPanel::rgSkalaCzasuClick()
{
    m_model.SetSamplesAxis(cbOsXProbki->isChecked());
    const double maximum =
        m_model.SetTimeWindow(ChartScales::TimeWindowSeconds(rgSkalaCzasu->ItemIndex()));
    SetAxis(BottomAxis, 0, maximum, 0);
    ResetChart();
}

void TChartPanel::cbShowSeriesClick()
{
    const std::pair<int, QCheckBox *> switches[] = {
        {csTiltY, cbKatPoprzeczny}, {csTiltX, cbKatWzdluzny},       {csAccY, cbPrzyspPoprzeczne},
        {csAccX, cbPrzyspWzdluzne}, {csTemperature, cbTemperatura}, {csLTR, cbShowLTR}};
    for (const auto &[series, box] : switches) {
        m_model.SetSeriesOn(series, box->isChecked());
        Series[size_t(series)]->setVisible(box->isChecked());
    }
    ResetChart();
}

// Every box is read at every click, so the temperature box needs no rule of its own.
void TChartPanel::cbTemperaturaClick()
{
    cbShowSeriesClick();
}
