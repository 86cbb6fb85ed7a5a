#include "display/ui/uChartPanel.h"

#include "display/ui/uChartView.h"
#include "widgets/uLook.h"
#include "widgets/uRadioGroup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

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
    Chart1 = new TChartView(model, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Chart1, 1);
    layout->addWidget(BuildControls());
    gbAnaliza = BuildAnalysis();
    gbAnaliza->setVisible(false);
    layout->addWidget(gbAnaliza);
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
    Chart1->Refresh();

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
    Chart1->SetAxes(ChartScales::AngleRange(rgSkalaKata->ItemIndex()), Chart1->RightAxis(),
                    Chart1->BottomAxis());
    ResetChart();
}

void TChartPanel::rgSkalaGClick()
{
    Chart1->SetAxes(Chart1->LeftAxis(), ChartScales::AccelerationRange(rgSkalaG->ItemIndex()),
                    Chart1->BottomAxis());
    ResetChart();
}

void TChartPanel::rgSkalaCzasuClick()
{
    m_model.SetSamplesAxis(cbOsXProbki->isChecked());
    const double maximum =
        m_model.SetTimeWindow(ChartScales::TimeWindowSeconds(rgSkalaCzasu->ItemIndex()));
    Chart1->SetAxes(Chart1->LeftAxis(), Chart1->RightAxis(), {0, maximum, 0});
    ResetChart();
}

void TChartPanel::cbShowSeriesClick()
{
    const std::pair<int, QCheckBox *> switches[] = {
        {csTiltY, cbKatPoprzeczny}, {csTiltX, cbKatWzdluzny},       {csAccY, cbPrzyspPoprzeczne},
        {csAccX, cbPrzyspWzdluzne}, {csTemperature, cbTemperatura}, {csLTR, cbShowLTR}};
    for (const auto &[series, box] : switches)
        m_model.SetSeriesOn(series, box->isChecked());
    Chart1->SeriesChanged();
    ResetChart();
}

// Every box is read at every click, so the temperature box needs no rule of its own.
void TChartPanel::cbTemperaturaClick()
{
    cbShowSeriesClick();
}
