#pragma once
// The CAN traffic window: channel events and recognised frames on the left, the serial speed
// sources' values on the right. Closing only hides it; its lines stay.

#include <QDialog>
#include <QStringList>
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
    void AddGpsLine(const QString &line);
    // Hands the lines gathered since the last batch to the panes; runs by itself once the
    // current event (a timer tick, a serial batch) has finished.
    void FlushPendingLines();

    QPlainTextEdit *mLogCAN = nullptr;
    QPlainTextEdit *mLogGPS = nullptr;
    QPushButton *btnOK = nullptr;

private:
    void BuildUi();
    void btnOKClick();
    void Queue(QStringList &pending, const QString &line);

    QStringList m_pendingCan;
    QStringList m_pendingGps;
    QTimer m_flushTimer;
};
