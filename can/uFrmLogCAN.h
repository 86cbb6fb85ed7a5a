#pragma once
// The CAN traffic window: channel events and recognised frames on the left, the serial speed
// sources' values on the right. Closing only hides it; its lines stay.

#include "can/uTrafficPane.h"

#include <QDialog>
#include <QTimer>

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
    // Shows the lines gathered since the last batch; runs by itself once the current event
    // (a timer tick, a serial batch) has finished.
    void FlushPendingLines();

    TTrafficPane *mLogCAN = nullptr;
    TTrafficPane *mLogGPS = nullptr;
    QPushButton *btnOK = nullptr;

private:
    void BuildUi();
    void btnOKClick();
    void LinesAdded();

    QTimer m_flushTimer;
};
