#include "log/ui/uLogBox.h"

#include "widgets/uLook.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TLogBox::TLogBox(QWidget *parent) : QGroupBox(QStringLiteral("Save log"), parent)
{
    setObjectName(QStringLiteral("gbSaveLog"));
    lLogName = Look::MakeLabel(this, "lLogName", QString::fromLatin1(NotActive), Qt::white);
    lLogName->setMinimumWidth(150);
    QSizePolicy policy = lLogName->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Ignored);  // a long name must not widen the page
    lLogName->setSizePolicy(policy);
    Look::MakeValueLabel(lLogName, QStringLiteral("Log file"));
    btnStartLog = new QPushButton(QStringLiteral("Start"), this);
    btnStartLog->setObjectName(QStringLiteral("btnStartLog"));
    btnStopLog = new QPushButton(QStringLiteral("Stop"), this);
    btnStopLog->setObjectName(QStringLiteral("btnStopLog"));
    btnStopLog->setEnabled(false);

    auto *layout = new QGridLayout(this);
    layout->addWidget(lLogName, 0, 0, 1, 2);
    layout->addWidget(btnStartLog, 1, 0);
    layout->addWidget(btnStopLog, 1, 1);
}

void TLogBox::ShowActive(const QString &fileName)
{
    lLogName->setText(fileName);
    lLogName->setToolTip(fileName);
    btnStartLog->setEnabled(false);
    btnStopLog->setEnabled(true);
}

void TLogBox::ShowInactive()
{
    lLogName->setText(QString::fromLatin1(NotActive));
    lLogName->setToolTip(QString());
    btnStartLog->setEnabled(true);
    btnStopLog->setEnabled(false);
}
