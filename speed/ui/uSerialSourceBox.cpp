#include "speed/ui/uSerialSourceBox.h"

#include "speed/uSpeedSource.h"
#include "speed/ui/uSpeedSimBox.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

TSerialSourceBox::TSerialSourceBox(TSpeedSource &speed, TSpeedSimBox &simulation, QWidget *parent)
    : QWidget(parent), m_speed(speed), m_simulation(simulation)
{
    eComGPS = new QLineEdit(QStringLiteral("COM2"), this);
    eComGPS->setObjectName(QStringLiteral("eComGPS"));
    eComGPS->setAccessibleName(QStringLiteral("Serial port"));
    const auto makeButton = [this](const char *caption) {
        auto *button = new QPushButton(QString::fromLatin1(caption), this);
        button->setObjectName(QStringLiteral("btn") + QString::fromLatin1(caption));
        return button;
    };
    btnGPS = makeButton("GPS");
    btnVBOX = makeButton("VBOX");
    btnSymulacja = makeButton("Symulacja");
    auto *layout = new QHBoxLayout(this);
    for (QWidget *control : {static_cast<QWidget *>(eComGPS), static_cast<QWidget *>(btnGPS),
                             static_cast<QWidget *>(btnVBOX), static_cast<QWidget *>(btnSymulacja)})
        layout->addWidget(control);
    connect(btnGPS, &QPushButton::clicked, this, &TSerialSourceBox::btnGPSClick);
    connect(btnVBOX, &QPushButton::clicked, this, &TSerialSourceBox::btnVBOXClick);
}

void TSerialSourceBox::btnGPSClick()
{
    SwitchSpeedSource(true);
}

void TSerialSourceBox::btnVBOXClick()
{
    SwitchSpeedSource(false);
}

// A failed switch says nothing: the button that stays in normal type is the only sign.
void TSerialSourceBox::SwitchSpeedSource(bool gps)
{
    QPushButton *chosen = gps ? btnGPS : btnVBOX;
    for (QPushButton *button : {btnGPS, btnVBOX}) {
        QFont font = button->font();
        font.setBold(false);
        button->setFont(font);
    }
    m_simulation.cbSimSpeedEnable->setChecked(false);
    if (!m_speed.SwitchTo(gps ? TSerialLink::TMode::GPS : TSerialLink::TMode::VBOX,
                          eComGPS->text()))
        return;
    QFont bold = chosen->font();
    bold.setBold(true);
    chosen->setFont(bold);
}
