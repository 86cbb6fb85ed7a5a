#include "log/ui/uLogBox.h"

#include "base/uConsts.h"
#include "log/uLogControl.h"
#include "log/uLogSession.h"
#include "widgets/uLook.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
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
    btnDriveReport = new QPushButton(QStringLiteral("Drive report…"), this);
    btnDriveReport->setObjectName(QStringLiteral("btnDriveReport"));
    btnDriveReport->setToolTip(QStringLiteral("The report of the log stopped last: its head, "
                                              "the whole drive over time, the extremes"));
    btnDriveReport->setEnabled(false);

    auto *layout = new QGridLayout(this);
    layout->addWidget(lLogName, 0, 0, 1, 2);
    layout->addWidget(btnStartLog, 1, 0);
    layout->addWidget(btnStopLog, 1, 1);
    layout->addWidget(btnDriveReport, 2, 0, 1, 2);
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

void TLogBox::Attach(TLogSession &log, const TAcquisitionState &state, TLogControl &control)
{
    m_log = &log;
    m_state = &state;
    m_control = &control;
    // Start may answer with a box: it runs after the click has returned, as Calibrate does.
    connect(btnStartLog, &QPushButton::clicked, this, &TLogBox::btnStartLogClick,
            Qt::QueuedConnection);
    connect(btnStopLog, &QPushButton::clicked, this, &TLogBox::btnStopLogClick);
    // Told after the tick: the box's own loop must not run inside the flush.
    log.OnSideFileStopped = [this](const QString &message) {
        QMetaObject::invokeMethod(
            this, [this, message] { ShowError(message); }, Qt::QueuedConnection);
    };
}

void TLogBox::btnStartLogClick()
{
    if (!m_state->SensorOnline) {
        QMessageBox::information(window(), QString::fromUtf8(Consts::AppTitle),
                                 QString::fromUtf8(Consts::ConnectFirst));
        return;
    }
    StartLogging();
}

void TLogBox::btnStopLogClick()
{
    StopLogging();
}

void TLogBox::StartLogging()
{
    QString error;
    if (!m_control->StartLogging(&error)) {
        ShowError(error);
        return;
    }
    ShowActive(QFileInfo(m_log->FileName()).fileName());
}

void TLogBox::StopLogging()
{
    QString error;
    const bool closed = m_control->StopLogging(&error);
    ShowInactive();
    if (!closed)
        ShowError(error);
}

void TLogBox::LogFailed(const QString &message)
{
    ShowInactive();
    ShowError(message);
}

void TLogBox::ShowError(const QString &message)
{
    QMessageBox::critical(window(), QString::fromUtf8(Consts::AppTitle), message);
}
