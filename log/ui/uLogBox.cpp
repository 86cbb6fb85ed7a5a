#include "log/ui/uLogBox.h"

#include "acquisition/uAcquisition.h"
#include "base/uConsts.h"
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

void TLogBox::Attach(TLogSession &log, TAcquisition &acquisition, const TClock &clock)
{
    m_log = &log;
    m_acquisition = &acquisition;
    m_clock = &clock;
    connect(btnStartLog, &QPushButton::clicked, this, &TLogBox::btnStartLogClick);
    connect(btnStopLog, &QPushButton::clicked, this, &TLogBox::btnStopLogClick);
    // Told after the tick: the box's own loop must not run inside the flush.
    log.OnSideFileStopped = [this](const QString &message) {
        QMetaObject::invokeMethod(
            this, [this, message] { ShowError(message); }, Qt::QueuedConnection);
    };
}

void TLogBox::btnStartLogClick()
{
    if (!m_acquisition->State.SensorOnline) {
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
    if (!m_log->StartLogging(m_acquisition->State, m_clock->Read(), &error)) {
        ShowError(error);
        return;
    }
    ShowActive(QFileInfo(m_log->FileName()).fileName());
    if (OnLogStarted)
        OnLogStarted();
}

void TLogBox::StopLogging()
{
    m_acquisition->ReportHeldEvents();
    QString error;
    const bool closed = m_log->StopLogging(&error);
    ShowInactive();
    if (!closed)
        ShowError(error);
}

// A flush that fails (a full disk, a pulled stick) is reported once and ends the log
// cleanly: an error box at every tick would help nobody, and what is on disk stays there.
void TLogBox::FlushLog()
{
    QString error;
    if (m_log->Flush(m_clock->MonotonicMs(), &error))
        return;
    ShowInactive();
    ShowError(error);
}

void TLogBox::ShowError(const QString &message)
{
    QMessageBox::critical(window(), QString::fromUtf8(Consts::AppTitle), message);
}
