#pragma once
// A progress bar on a terminal's line, for long work without a window:
//   drive.log [##############                ]  45%
// drawn anew at most ten times a second, so that a fast loop may report as often as it likes.

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>

class TProgressBar
{
public:
    static constexpr qint64 RedrawEveryMs = 100;

    TProgressBar(QTextStream &terminal, const QString &label);

    // done of total; drawn when the last drawing is old enough.
    void Show(qint64 done, qint64 total);
    // The full bar, and the line ended.
    void Finish();

private:
    void Draw(int percent);

    QTextStream &m_terminal;
    QString m_label;
    QElapsedTimer m_sinceDrawn;
};
