#pragma once
// The bus as the adapter reports it: the errors its backend signalled, the error frames it
// received and, where the backend tells it, the bus state. Changes go to the events record;
// a burst of errors makes at most one event a second, so a broken bus cannot flood it.

#include "adapter/PCANBasic.h"
#include "base/uDriveEvents.h"

#include <QList>
#include <QString>

class TBusHealth
{
public:
    static constexpr qint64 EventEveryMs = 1000;

    void Reset();
    void SetEventSink(TEventSink *sink) { m_sink = sink; }

    void NoteErrors(const QList<TAdapterError> &errors, int dropped, qint64 nowMs);
    void NoteErrorFrame(qint64 nowMs);
    // A reading of TPCANBasic::GetStatus; PCAN_ERROR_ILLOPERATION: the backend cannot tell.
    void NoteStatus(TPCANStatus status);
    // Passes on what waited for the once-a-second limit.
    void Tick(qint64 nowMs);
    // The same without waiting for the limit: the log is about to stop.
    void ReportPending(qint64 nowMs);

    qint64 Errors() const { return m_errors; }
    qint64 ErrorFrames() const { return m_errorFrames; }
    // "error active", "warning", "passive", "bus off"; empty while the backend tells none.
    const QString &State() const { return m_state; }

private:
    void Report(qint64 nowMs);

    TEventSink *m_sink = nullptr;
    qint64 m_errors = 0;
    qint64 m_errorFrames = 0;
    QString m_state;
    // Not yet in an event: the count since the last one and the last error's words.
    qint64 m_pendingErrors = 0;
    qint64 m_pendingFrames = 0;
    QString m_lastText;
    qint64 m_lastEventMs = -EventEveryMs;
};

// The bus state that a GetStatus result stands for; empty for none.
QString BusStateText(TPCANStatus status);
