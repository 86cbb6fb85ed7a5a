#include "speed/ui/uSpeedSimBox.h"

#include "speed/uSpeedSource.h"
#include "widgets/uLook.h"
#include "widgets/uRadioGroup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

TSpeedSimBox::TSpeedSimBox(QWidget *parent) : QWidget(parent)
{
    rgDemoSpeed = new TRadioGroup(QStringLiteral("Speed simulation"),
                                  {QStringLiteral("demo mode off"), QStringLiteral("sim. 0 km/h"),
                                   QStringLiteral("sim. 30 km/h"), QStringLiteral("sim. 60 km/h")},
                                  0, this);
    rgDemoSpeed->setObjectName(QStringLiteral("rgDemoSpeed"));

    gbSimSpeed = new QGroupBox(QStringLiteral("Speed simulation"), this);
    gbSimSpeed->setObjectName(QStringLiteral("gbSimSpeed"));
    cbSimSpeedEnable = new QCheckBox(QStringLiteral("enable"), gbSimSpeed);
    cbSimSpeedEnable->setObjectName(QStringLiteral("cbSimSpeedEnable"));
    lSimSpeed = Look::MakeLabel(gbSimSpeed, "lSimSpeed", QStringLiteral("0,0"), Qt::white);
    Look::MakeValueLabel(lSimSpeed, QStringLiteral("Simulated speed"));
    tbSimSpeed = new QSlider(Qt::Horizontal, gbSimSpeed);
    tbSimSpeed->setObjectName(QStringLiteral("tbSimSpeed"));
    tbSimSpeed->setRange(10, 30);
    tbSimSpeed->setValue(10);
    cbSpeedTrunc = new QCheckBox(QStringLiteral("trunc"), gbSimSpeed);
    cbSpeedTrunc->setObjectName(QStringLiteral("cbSpeedTrunc"));
    auto *grid = new QGridLayout(gbSimSpeed);
    grid->addWidget(cbSimSpeedEnable, 0, 0);
    grid->addWidget(lSimSpeed, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("10"), gbSimSpeed), 1, 0);
    grid->addWidget(tbSimSpeed, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("30"), gbSimSpeed), 1, 2);
    grid->addWidget(cbSpeedTrunc, 2, 0);
    gbSimSpeed->setVisible(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(rgDemoSpeed);
    layout->addWidget(gbSimSpeed);
}

void TSpeedSimBox::ShowSendResult(TSendResult result)
{
    static const QColor Colours[] = {Qt::white, QColor(0, 128, 0), QColor(255, 0, 0)};
    Look::SetTextColour(lSimSpeed, Colours[int(result)]);
}

void TSpeedSimBox::Attach(TSpeedSource &speed)
{
    m_speed = &speed;
    speed.OnSpeedCaption = [this](const QString &caption) { lSimSpeed->setText(caption); };
    speed.OnFrameSent = [this](bool sent) {
        ShowSendResult(sent ? TSendResult::Sent : TSendResult::Failed);
    };
    TimerSimSpeed.setObjectName(QStringLiteral("TimerSimSpeed"));
    TimerSimSpeed.setInterval(20);
    TimerSimSpeed.setTimerType(Qt::PreciseTimer);  // 50 frames a second, not 45
    connect(&TimerSimSpeed, &QTimer::timeout, this, &TSpeedSimBox::TimerSimSpeedTimer);
    connect(rgDemoSpeed, &TRadioGroup::Clicked, this, &TSpeedSimBox::rgDemoSpeedClick);
    connect(cbSimSpeedEnable, &QCheckBox::toggled, this, &TSpeedSimBox::cbSimSpeedEnableClick);
}

void TSpeedSimBox::rgDemoSpeedClick()
{
    RunSpeedSimulation(rgDemoSpeed->ItemIndex() != 0);
}

void TSpeedSimBox::cbSimSpeedEnableClick()
{
    RunSpeedSimulation(cbSimSpeedEnable->isChecked());
    ShowSendResult(TSendResult::None);
}

// While the simulation runs, a VBOX speed is shown but not relayed.
void TSpeedSimBox::RunSpeedSimulation(bool run)
{
    if (run)
        TimerSimSpeed.start();
    else
        TimerSimSpeed.stop();
    m_speed->RunSimulation(run, rgDemoSpeed->ItemIndex());
}

void TSpeedSimBox::TimerSimSpeedTimer()
{
    m_speed->SimulationTick(rgDemoSpeed->ItemIndex());
}
