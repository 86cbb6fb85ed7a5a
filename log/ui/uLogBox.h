#pragma once
// The "Save log" group of the Logging page: the current file's name and Start and Stop. It
// runs the log session and reports its errors.

#include <QGroupBox>

#include <functional>

class QLabel;
class QPushButton;
class TAcquisition;
class TClock;
class TLogSession;

class TLogBox : public QGroupBox
{
public:
    static constexpr const char *NotActive = "- not active -";

    explicit TLogBox(QWidget *parent = nullptr);
    // The session the buttons run, the samples it logs, the clock of its file names and flushes.
    void Attach(TLogSession &log, TAcquisition &acquisition, const TClock &clock);

    void btnStartLogClick();
    void btnStopLogClick();
    void StartLogging();
    void StopLogging();
    // Hands the written records to the disk; a failure is reported once and ends the log.
    void FlushLog();
    // After a Start: the state in force goes into the new events record.
    std::function<void()> OnLogStarted;

    // Label and buttons always change together with the log's state.
    void ShowActive(const QString &fileName);
    void ShowInactive();

    QLabel *lLogName = nullptr;
    QPushButton *btnStartLog = nullptr;
    QPushButton *btnStopLog = nullptr;

private:
    void ShowError(const QString &message);

    TLogSession *m_log = nullptr;
    TAcquisition *m_acquisition = nullptr;
    const TClock *m_clock = nullptr;
};
