#include "app/ui/uLoggingPage.h"

#include "adapter/uBusSpeeds.h"
#include "adapter/ui/uCanBusBox.h"
#include "base/uConsts.h"
#include "display/ui/uCarBox.h"
#include "display/ui/uChartPanel.h"
#include "display/ui/uLtrBox.h"
#include "display/ui/uReadoutsBox.h"
#include "display/ui/uStatusBox.h"
#include "log/ui/uLogBox.h"
#include "speed/ui/uSerialSourceBox.h"
#include "speed/ui/uSpeedSimBox.h"
#include "widgets/uLook.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TLoggingPage::TLoggingPage(TChartModel &chart, const TSensorSample &unit, TSpeedSource &speed,
                           QWidget *parent)
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
    ChartPanel = new TChartPanel(chart, unit, this);
    Readouts = new TReadoutsBox(this);
    gbStatus = new TStatusBox(this);
    gbCar = new TCarBox(this);
    SpeedSim = new TSpeedSimBox(this);
    SpeedSim->Attach(speed);
    SerialSources = new TSerialSourceBox(speed, *SpeedSim, this);
    SerialSources->setVisible(false);

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
