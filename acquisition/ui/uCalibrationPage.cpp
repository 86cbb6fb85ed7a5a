#include "acquisition/ui/uCalibrationPage.h"

#include "acquisition/uAcquisition.h"
#include "acquisition/uCalibrationRequest.h"
#include "acquisition/ui/uCoefficientsBox.h"
#include "base/uConsts.h"
#include "widgets/uLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

TCalibrationPage::TCalibrationPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("tsCalibration"));
    lInstruction1 = Look::MakeLabel(
        this, "Label12", QStringLiteral("Place the sensor on a horizontal stationary base ..."),
        Qt::white, 16);
    lInstruction2 = Look::MakeLabel(
        this, "Label13", QStringLiteral("... then press the appropriate button"), Qt::white, 16);
    const auto makeButton = [this](const char *name, const char *caption) {
        auto *button = new QPushButton(QString::fromLatin1(caption), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setMinimumSize(140, 40);
        button->setEnabled(false);
        return button;
    };
    btnCalibrate = makeButton("btnCalibrate", "Calibrate");
    btnCalibrateReset = makeButton("btnCalibrateReset", "Reset");
    btnCalibrateFactory = makeButton("btnCalibrateFactory", "Factory settings");
    gbWspolczynniki = new TCoefficientsBox(this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *button : {btnCalibrate, btnCalibrateReset, btnCalibrateFactory})
        buttons->addWidget(button);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 40, 40, 40);
    layout->setSpacing(16);
    layout->addWidget(lInstruction1, 0, Qt::AlignHCenter);
    layout->addWidget(lInstruction2, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
    layout->addWidget(gbWspolczynniki);
    layout->addStretch(1);
}

void TCalibrationPage::EnableRequests(bool enabled)
{
    for (QPushButton *button : {btnCalibrate, btnCalibrateReset, btnCalibrateFactory})
        button->setEnabled(enabled);
}

void TCalibrationPage::Attach(TAcquisition &acquisition, TEventSink *events)
{
    m_acquisition = &acquisition;
    m_events = events;
    // A failed request is told in a box: the handler runs after the click has returned, so an
    // assistive tool that presses the button does not wait inside its call for the box.
    connect(btnCalibrate, &QPushButton::clicked, this, &TCalibrationPage::btnCalibrateClick,
            Qt::QueuedConnection);
    connect(btnCalibrateReset, &QPushButton::clicked, this,
            &TCalibrationPage::btnCalibrateResetClick, Qt::QueuedConnection);
    connect(btnCalibrateFactory, &QPushButton::clicked, this,
            &TCalibrationPage::btnCalibrateFactoryClick, Qt::QueuedConnection);
}

void TCalibrationPage::btnCalibrateClick()
{
    RequestCalibration(crCalibrate);
}

void TCalibrationPage::btnCalibrateResetClick()
{
    RequestCalibration(crReset);
}

void TCalibrationPage::btnCalibrateFactoryClick()
{
    RequestCalibration(crFactorySettings);
}

void TCalibrationPage::RequestCalibration(quint8 code)
{
    if (!m_acquisition->State.SensorOnline)
        return;
    if (SendCalibrationRequest(*m_acquisition, TCalibrationRequest(code), m_events)
        != PCAN_ERROR_OK)
        QMessageBox::information(window(), QString::fromUtf8(Consts::AppTitle),
                                 QString::fromUtf8(Consts::CalibrationFailed));
}
