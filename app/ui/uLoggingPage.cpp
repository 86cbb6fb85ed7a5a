#include "app/ui/uLoggingPage.h"

#include "adapter/uBusSpeeds.h"
#include "adapter/ui/uCanBusBox.h"
#include "base/uConsts.h"
#include "base/uDataFiles.h"
#include "display/uDisplayRules.h"
#include "display/uLtrWatch.h"
#include "display/uStatusCaptions.h"
#include "display/ui/uCarBox.h"
#include "display/ui/uChartPanel.h"
#include "display/ui/uLtrBox.h"
#include "display/ui/uReadoutsBox.h"
#include "display/ui/uStatusBox.h"
#include "log/ui/uLogBox.h"
#include "session/uProgramSession.h"
#include "speed/ui/uSerialSourceBox.h"
#include "speed/ui/uSpeedSimBox.h"
#include "widgets/uLook.h"
#include "widgets/uPictures.h"
#include "widgets/uRadioGroup.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

TLoggingPage::TLoggingPage(TChartModel &chart, TProgramSession &session, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("tsLogging"));

    GroupBox4 = new TCanBusBox(this);
    gbSaveLog = new TLogBox(this);
    cbbBaudrates = new QComboBox(this);
    cbbBaudrates->setObjectName(QStringLiteral("cbbBaudrates"));
    cbbBaudrates->addItems(BusSpeeds::Captions());
    cbbBaudrates->setCurrentIndex(BusSpeeds::DefaultIndex);
    cbbBaudrates->setVisible(false);

    lCANProtocol = Look::MakeLabel(this, "lCANProtocol", QString::fromUtf8(Consts::ProtocolVariant),
                                   Qt::white);
    lCANProtocol->setAlignment(Qt::AlignCenter);
    Look::MakeValueLabel(lCANProtocol, QStringLiteral("Protocol variant"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Logo"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/assets/logo.svg")));
    Image1->setAlignment(Qt::AlignRight | Qt::AlignBottom);

    gbLTR = new TLtrBox(this);
    ChartPanel = new TChartPanel(chart, session.Acquisition.State.Sensors[1], this);
    Readouts = new TReadoutsBox(this);
    gbStatus = new TStatusBox(this);
    gbCar = new TCarBox(this);
    SpeedSim = new TSpeedSimBox(this);
    SpeedSim->Attach(session.Speed);
    SerialSources = new TSerialSourceBox(session.Speed, *SpeedSim, this);
    SerialSources->setVisible(false);

    gbSaveLog->Attach(session.Log, session.Acquisition.State, session);
    gbLTR->Attach(session.Acquisition.State, *session.Ltr());
    gbLTR->ShowThreshold(TLtrAlarm::Threshold(gbLTR->Position()));  // in the user's locale
    connect(SpeedSim->tbSimSpeed, &QSlider::valueChanged, gbLTR, &TLtrBox::onLPTRChange);
    gbStatus->SetCaptions(LoadStatusCaptions(SampleFilePath(QStringLiteral("opisy.ini"))));

    auto *left = new QVBoxLayout;
    left->addWidget(GroupBox4);
    left->addWidget(gbSaveLog);
    left->addWidget(gbLTR);
    left->addWidget(Readouts->gbSpeed);
    left->addWidget(gbStatus);
    left->addStretch(1);

    auto *centre = new QVBoxLayout;
    centre->addWidget(Readouts);
    centre->addWidget(ChartPanel, 1);

    auto *right = new QVBoxLayout;
    right->addWidget(gbCar);
    right->addWidget(SpeedSim);
    right->addWidget(SerialSources);
    right->addStretch(1);
    right->addWidget(lCANProtocol);
    right->addWidget(Image1, 0, Qt::AlignRight | Qt::AlignBottom);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(centre, 1);
    layout->addLayout(right);
}

void TLoggingPage::ShowState(const TAcquisitionState &state, const TPictureTurns &turns)
{
    const TSensorSample &unit = state.Sensors[1];
    if (turns.Poprzeczny)
        gbCar->imgPoprzeczny->SetAngle(*turns.Poprzeczny);
    if (turns.Wzdluzny)
        gbCar->imgWzdluzny->SetAngle(*turns.Wzdluzny);
    Readouts->ShowValues(unit, state.Chassis);
    Readouts->ShowTrackers(TrackerValuesFor(unit));
    gbLTR->ShowLtrAlarm();
    gbStatus->ShowStatus(unit.Status);
    gbCar->ShowLamps(unit.TiltX, unit.TiltY);
    // The chart is drawn with the display refresh, with every point appended since the last
    // one: drawing it at every CAN tick would cost twice the processor time for no visible gain.
    ChartPanel->Refresh();
}

void TLoggingPage::ShowProtocolEnv(TProtocolEnv env)
{
    const bool production = env == TProtocolEnv::peProduction;
    Readouts->ShowEnvironment(production);
    SpeedSim->rgDemoSpeed->setVisible(production);
    lCANProtocol->setText(
        QString::fromUtf8(production ? Consts::ProductionEnv : Consts::TestProtocol));
}

void TLoggingPage::ClearStatus()
{
    gbStatus->HideStatusLabels();
}
