#pragma once
// The CAN traffic window: channel events and recognised frames on the left, the serial speed
// sources' values on the right. Closing only hides it; its lines stay.
//
// Each pane's lines are kept in a ring, and the pane is a view of it filled only while the
// window is shown: hidden, a frame at the bus's full speed costs a 16-byte copy and no text.

#include "acquisition/uTrafficRing.h"

#include <QDialog>
#include <QTimer>

class QPlainTextEdit;
class QPushButton;

class TFrmLogCAN : public QDialog
{
    Q_OBJECT
public:
    // Each pane keeps this many lines, dropping the oldest: a pane fed one line per frame
    // would otherwise grow for as long as the program runs.
    static constexpr int MaxLines = 100000;

    explicit TFrmLogCAN(QWidget *parent = nullptr);

    void AddCanLine(const QString &line);
    // A recognised frame's line, "data CAN1:" and the like; prefix is one of the decoder's.
    void AddCanFrame(const char *prefix, const TPCANMsg &message);
    void AddGpsLine(const QString &line);
    // Hands the panes the lines they have not shown yet, formatted in one go. While the window
    // is shown it runs by itself once the current event (a timer tick, a serial batch) has
    // finished, and it runs when the window is shown.
    void FlushPendingLines();

    QPlainTextEdit *mLogCAN = nullptr;
    QPlainTextEdit *mLogGPS = nullptr;
    QPushButton *btnOK = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void BuildUi();
    void btnOKClick();
    void LinesAdded();

    TTrafficRing m_canLines{MaxLines};
    TTrafficRing m_gpsLines{MaxLines};
    TTrafficReader m_canShown;
    TTrafficReader m_gpsShown;
    QTimer m_flushTimer;
};
