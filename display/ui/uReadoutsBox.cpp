#include "display/ui/uReadoutsBox.h"

#include "base/uNumberFormat.h"
#include "display/uDisplayRules.h"
#include "protocol/uSensorData.h"
#include "widgets/uLook.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// A value label of fixed size, so that a changing text never relays out the page.
QLabel *MakeValue(QWidget *parent, const char *name, const char *description, int pixelSize,
                  const QString &widest)
{
    QLabel *label = Look::MakeLabel(parent, name, QStringLiteral("000"), Qt::white, pixelSize);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFixedSize(label->fontMetrics().horizontalAdvance(widest) + 6,
                        label->sizeHint().height());
    Look::MakeValueLabel(label, QString::fromLatin1(description));
    return label;
}

QSlider *MakeTracker(QWidget *parent, const char *name, Qt::Orientation orientation, int limit,
                     int tick)
{
    auto *slider = new QSlider(orientation, parent);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(-limit, limit);
    slider->setTickInterval(tick);
    slider->setVisible(false);
    return slider;
}

}  // namespace

TReadoutsBox::TReadoutsBox(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(BuildReadouts());
    BuildSpeedGroup();  // placed by the page, beside the other groups

    Label9 = Look::MakeLabel(this, "Label9", QStringLiteral("HEATING"), Qt::white);
    lHeating = MakeValue(this, "lHeating", "Heating", 0, QString::number(255));
    Label9->setVisible(false);
    lHeating->setVisible(false);

    tbGP = MakeTracker(this, "tbGP", Qt::Horizontal, 15, 1);
    tbGW = MakeTracker(this, "tbGW", Qt::Vertical, 15, 1);
    JvTrackBarW = MakeTracker(this, "JvTrackBarW", Qt::Vertical, 180, 30);
    JvTrackBarP = MakeTracker(this, "JvTrackBarP", Qt::Horizontal, 180, 30);
}

QWidget *TReadoutsBox::BuildReadouts()
{
    auto *box = new QWidget(this);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(10);
    const QString widestAngle = WidestReadoutText(DecodedRange::Tilt, 1, QStringLiteral("°"));
    const QString widestAcc = WidestReadoutText(DecodedRange::Acceleration, 3);
    const struct {
        QLabel **title, **symbol, **value;
        const char *titleName, *symbolName, *valueName, *titleText, *symbolText, *description;
        QColor colour;
        const QString &widest;
    } readouts[] = {
        {&lTiltX1, &lTiltX2, &lWzdluzny, "lTiltX1", "lTiltX2", "lWzdluzny", "Tilt angle", "αΧ",
         "Tilt angle X", QColor(0, 0, 255), widestAngle},
        {&lAccX1, &lAccX2, &lGWzdluzne, "lAccX1", "lAccX2", "lGWzdluzne", "Acceleration", "AX",
         "Acceleration X", QColor(255, 0, 0), widestAcc},
        {&lTiltY1, &lTiltY2, &lPoprzeczny, "lTiltY1", "lTiltY2", "lPoprzeczny", "Tilt angle", "αΥ",
         "Tilt angle Y", QColor(0, 128, 0), widestAngle},
        {&lAccY1, &lAccY2, &lGPoprzeczne, "lAccY1", "lAccY2", "lGPoprzeczne", "Acceleration", "AY",
         "Acceleration Y", QColor(Qt::black), widestAcc},
    };
    for (const auto &r : readouts) {
        *r.title = Look::MakeLabel(box, r.titleName, QString::fromUtf8(r.titleText), r.colour);
        *r.symbol =
            Look::MakeLabel(box, r.symbolName, QString::fromUtf8(r.symbolText), r.colour, 15);
        *r.value = MakeValue(box, r.valueName, r.description, 20, r.widest);
        auto *readout = new QGridLayout;
        readout->setSpacing(2);
        readout->addWidget(*r.title, 0, 0, 1, 2, Qt::AlignLeft);
        readout->addWidget(*r.symbol, 1, 0, Qt::AlignLeft | Qt::AlignVCenter);
        readout->addWidget(*r.value, 1, 1, Qt::AlignRight);
        row->addLayout(readout, 1);
    }
    return box;
}

QGroupBox *TReadoutsBox::BuildSpeedGroup()
{
    gbSpeed = new QGroupBox(this);
    gbSpeed->setObjectName(QStringLiteral("gbSpeed"));
    lSpeedLabel =
        Look::MakeLabel(gbSpeed, "lSpeedLabel", QStringLiteral("SPEED [km/h]"), Qt::white);
    lSpeed = MakeValue(gbSpeed, "lSpeed", "Speed", 22, WidestReadoutText(DecodedRange::Speed, 1));
    lAngVel = Look::MakeLabel(gbSpeed, "lAngVel", QStringLiteral("ANG. VEL. [°/s]"), Qt::white);
    lKatowa = MakeValue(gbSpeed, "lKatowa", "Angular velocity", 22,
                        WidestReadoutText(DecodedRange::AngularVelocity, 1));
    lTempLabel = Look::MakeLabel(gbSpeed, "lTempLabel", QStringLiteral("TEMP. [°C]"), Qt::white);
    lTemperatura = MakeValue(gbSpeed, "lTemperatura", "Temperature", 22,
                             WidestReadoutText(DecodedRange::Temperature, 2));
    lTempLabel->setVisible(false);
    lTemperatura->setVisible(false);

    // The temperature shares the speed's row: in the test protocol it takes the speed's place.
    auto *grid = new QGridLayout(gbSpeed);
    grid->addWidget(lSpeedLabel, 0, 0);
    grid->addWidget(lSpeed, 0, 1, Qt::AlignRight);
    grid->addWidget(lTempLabel, 0, 0);
    grid->addWidget(lTemperatura, 0, 1, Qt::AlignRight);
    grid->addWidget(lAngVel, 1, 0);
    grid->addWidget(lKatowa, 1, 1, Qt::AlignRight);
    for (QWidget *w : {static_cast<QWidget *>(lAngVel), static_cast<QWidget *>(lKatowa)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    return gbSpeed;
}

void TReadoutsBox::ShowValues(const TSensorSample &unit, const TChassisData &chassis)
{
    lPoprzeczny->setText(FormatAngle(unit.TiltY));
    lWzdluzny->setText(FormatAngle(unit.TiltX));
    lGPoprzeczne->setText(FormatFixed(unit.AccY, 3));
    lGWzdluzne->setText(FormatFixed(unit.AccX, 3));
    lTemperatura->setText(FormatFixed(unit.Temperature, 2));
    lSpeed->setText(FormatFixed(chassis.VehicleSpeed, 1));
    lKatowa->setText(FormatFixed(unit.AngularVelocity, 1));
    lHeating->setText(QString::number(unit.Heating));
}

void TReadoutsBox::ShowTrackers(const TTrackerValues &values)
{
    tbGP->setValue(values.GP);
    tbGW->setValue(values.GW);
    JvTrackBarW->setValue(values.W);
    JvTrackBarP->setValue(values.P);
}

void TReadoutsBox::ShowEnvironment(bool production)
{
    lSpeedLabel->setVisible(production);
    lSpeed->setVisible(production);
    lAngVel->setVisible(!production);
    lKatowa->setVisible(!production);
    lTempLabel->setVisible(!production);
    lTemperatura->setVisible(!production);
}
