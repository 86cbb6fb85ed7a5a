#pragma once
// The main window: builds the menu and the three pages, wires their groups to the program's
// session and shows the session's state at each display tick. The run-time state lives in the
// session; the window keeps only what it shows.

#include "adapter/uAdapterSearch.h"
#include "app/uCommandLine.h"
#include "app/ui/uMainMenu.h"
#include "display/uChartModel.h"
#include "display/uDisplayRules.h"
#include "session/uProgramSession.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QLabel;
class TCalibrationPage;
class TFrmChangeLog;
class TFrmLogCAN;
class TFrmSettings;
class TGradientTabWidget;
class THealthLine;
class TLoggingPage;
class TReplay;
class TReplayBar;
class TVisualisationPage;
class TfrmSplashScreen;

// What tests replace: the clock, the alarm sound and the adapters found. Null means the real
// one.
struct TMainSeams {
    const TClock *clock = nullptr;
    TAlarmSound *sound = nullptr;
    // What the settings offer as adapters; empty means what this computer has.
    std::function<QList<TFoundAdapter>()> findAdapters = {};
};

struct TSecondaryWindows {
    TfrmSplashScreen *frmSplashScreen = nullptr;
    TFrmSettings *frmSettings = nullptr;
    TFrmChangeLog *frmChangeLog = nullptr;
    TFrmLogCAN *frmLogCAN = nullptr;
};

struct TMainPages {
    TGradientTabWidget *PageControl1 = nullptr;
    TLoggingPage *tsLogging = nullptr;
    TVisualisationPage *tsVisualisation = nullptr;
    TCalibrationPage *tsCalibration = nullptr;
    THealthLine *lHealth = nullptr;   // in the status bar
    QLabel *lAlarm = nullptr;         // in the status bar: the LTR alarm, on every page
    QLabel *lLog = nullptr;           // in the status bar: the running or the next log
    QLabel *lAdapter = nullptr;       // in the status bar: the adapter in use
    TReplayBar *ReplayBar = nullptr;  // with --can=replay:FILE only
};

class TfrmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfrmMain(const TCommandLine &commandLine, TMainSeams seams = {},
                      QWidget *parent = nullptr);
    ~TfrmMain() override;

    // The windows created after this one; the menu shows them.
    void SetSecondaryWindows(const TSecondaryWindows &windows);
    // A replay's bar, for --can=replay:FILE; the replay must outlive the window.
    void AttachReplay(TReplay &replay);

    TProgramSession &Session() { return *m_session; }
    TChartModel &Chart() { return m_chart; }
    const TMainMenu &Menu() const { return m_menu; }
    const TMainPages &Pages() const { return m_pages; }

    // The user's commands, as the buttons and the menu give them.
    void btnInitClick();
    void btnReleaseClick();
    void btnSymulacjaClick();
    void Ustawienia1Click();
    // The report of the log stopped last, where the user chooses; told when it is written.
    void DriveReportClick();
    void ShowProtocolEnv();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildUi();
    void ConnectMenu();
    void FollowSession();
    void ShowBackend();
    void ShowLogStatus();
    void RefreshPages();
    void ShowChannel(bool open);
    void tsCalibrationShow();
    void Save1Click();
    void menuLogCanClick();
    template <typename TWindow> void Open(TWindow *window);

    // First: the session keeps the clock.
    std::unique_ptr<TClock> m_ownClock;
    const TClock *m_clock;
    std::unique_ptr<TAlarmSound> m_ownSound;
    std::unique_ptr<TProgramSession> m_session;
    std::function<QList<TFoundAdapter>()> m_findAdapters;
    TChartModel m_chart;  // holds ChartMaxPoints
    TPictureState m_pictures;
    bool m_canLogEnabled = false;
    TMainMenu m_menu;
    TMainPages m_pages;
    TSecondaryWindows m_windows;
    QString m_logEnded;  // what ended the last log when Stop did not, until the next Start
    bool m_demoRunning = false;
    bool m_closeAfterDemo = false;  // the window was closed during a demo run
};
