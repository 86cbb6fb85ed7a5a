#pragma once
// The "Save log" group of the Logging page: the current file's name and Start and Stop. It
// has the program's session start and stop the log, and reports their errors.

#include <QGroupBox>

class QLabel;
class QPushButton;
class TLogControl;
class TLogSession;
struct TAcquisitionState;

class TLogBox : public QGroupBox
{
public:
    static constexpr const char *NotActive = "- not active -";

    explicit TLogBox(QWidget *parent = nullptr);
    // The log shown, whether unit 1 is heard, and what starts and stops the log.
    void Attach(TLogSession &log, const TAcquisitionState &state, TLogControl &control);

    void btnStartLogClick();
    void btnStopLogClick();
    void StartLogging();
    void StopLogging();
    // A file failed and the log has ended: said once, and what is on disk stays.
    void LogFailed(const QString &message);

    // Label and buttons always change together with the log's state.
    void ShowActive(const QString &fileName);
    void ShowInactive();

    QLabel *lLogName = nullptr;
    QPushButton *btnStartLog = nullptr;
    QPushButton *btnStopLog = nullptr;
    // The report of the log stopped last, offered once there is one; the window makes it.
    QPushButton *btnDriveReport = nullptr;

private:
    void ShowError(const QString &message);

    TLogSession *m_log = nullptr;
    const TAcquisitionState *m_state = nullptr;
    TLogControl *m_control = nullptr;
};
