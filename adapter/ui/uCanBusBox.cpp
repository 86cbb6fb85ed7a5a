#include "adapter/ui/uCanBusBox.h"

#include "base/uConsts.h"
#include "widgets/uLook.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TCanBusBox::TCanBusBox(QWidget *parent) : QGroupBox(QStringLiteral("CAN Bus"), parent)
{
    setObjectName(QStringLiteral("GroupBox4"));

    Label8 = Look::MakeLabel(this, "Label8", QStringLiteral("Status:"), Qt::white);
    lCANStatus = Look::MakeLabel(this, "lCANStatus", QString::fromUtf8(Consts::StatusOffline),
                                 Qt::yellow, 14);
    Look::MakeValueLabel(lCANStatus, QStringLiteral("CAN status"));

    btnInit = new QPushButton(QString::fromUtf8(Consts::ConnectCaption), this);
    btnInit->setObjectName(QStringLiteral("btnInit"));
    btnRelease = new QPushButton(QString::fromUtf8(Consts::DisconnectCaption), this);
    btnRelease->setObjectName(QStringLiteral("btnRelease"));
    btnRelease->setEnabled(false);

    auto *layout = new QGridLayout(this);
    layout->addWidget(Label8, 0, 0);
    layout->addWidget(lCANStatus, 0, 1);
    layout->addWidget(btnInit, 1, 0);
    layout->addWidget(btnRelease, 1, 1);
    layout->setColumnStretch(1, 1);
}
