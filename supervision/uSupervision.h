#pragma once
// Whether the units' samples all arrive, counted exactly on the frames' own clock: each unit's
// period, its samples lost, late and incomplete, its samples per second, and the frames per
// second of each identifier on the bus. Confirmed losses and incomplete samples are reported
// as drive events, incomplete ones at most once a second per unit, so that a broken unit
// cannot flood the record. Memory stays bounded whatever the bus carries.

#include "adapter/PCANBasic.h"
#include "base/uDriveEvents.h"
#include "supervision/uFrameClock.h"
#include "supervision/uRateWindow.h"
#include "supervision/uSampleGaps.h"

#include <QDateTime>
#include <QList>

#include <array>
#include <map>
#include <optional>
#include <utility>

// Which part of a sample a unit's frame is: the production data frame is a whole sample; in
// the test protocol the motion frame opens one and the status frame completes it.
enum class TSampleFrame { Whole, Motion, Status };

struct TUnitHealth {
    bool Seen = false;
    bool PeriodKnown = false;
    // Losses cannot be judged: the frames carry no time stamps, or the unit sends over 1 kHz.
    bool Untimed = false;
    double PeriodMs = 0;
    double SamplesPerSecond = 0;
    qint64 Samples = 0;  // arrived, complete or not: with Lost, all the unit sent
    qint64 Lost = 0;
    qint64 Late = 0;
    qint64 Incomplete = 0;
    bool LostLastMinute = false;
};

struct TIdentifierRate {
    quint32 Id = 0;
    bool Extended = false;
    double FramesPerSecond = 0;
};

class TSupervision
{
public:
    static constexpr int Units = 3;
    static constexpr int MostIdentifiers = 64;  // the rest are counted together
    static constexpr qint64 LostRecentlyUs = 60'000'000;
    static constexpr qint64 IncompleteReportUs = 1'000'000;  // at most one event a unit
    static constexpr qint64 LossReportUs = 1'000'000;        // the same for losses

    TSupervision();
    TSupervision(const TSupervision &) = delete;  // its units report to this very object
    TSupervision &operator=(const TSupervision &) = delete;

    // Null for none; it must outlive this object.
    void SetEventSink(TEventSink *sink) { m_sink = sink; }

    // At Connect: a gap still open is reported, then everything is forgotten. After an
    // adapter's loss and return nothing is called: the period is kept, the gap counts as lost.
    void Reset();
    // A gap still waiting for late samples counts as lost now.
    void Flush();
    // Losses held back by the once-a-second limit go out now: the log is about to stop.
    void ReportHeldLosses();

    // Every frame read. frameUs: the adapter's stamp in µs (the caller's read time in µs for a
    // backend that stamps nothing); readLocal: when it was read, for the times of day of events.
    void FrameRead(const TPCANMsg &message, qint64 frameUs, const QDateTime &readLocal);
    // The frame last passed to FrameRead belongs to unit 1..3 (a frame can belong to two).
    void UnitFrame(int unit, TSampleFrame frame);
    // The display tick: time goes on when no frame comes, so silent units fall to 0.
    void AdvanceTo(const QDateTime &localNow);

    TUnitHealth Unit(int unit) const;
    // Those seen, standard ones first, each by identifier.
    QList<TIdentifierRate> Identifiers() const;
    double OtherFramesPerSecond() const;

private:
    struct TUnitWatch {
        bool Seen = false;
        bool Open = false;  // a motion frame waits for its status frame
        TSampleGaps Gaps;
        TRateWindow Rate;
        qint64 Samples = 0;
        qint64 Incomplete = 0;
        std::optional<qint64> IncompleteReportedUs;
        qint64 IncompleteHeld = 0;  // not reported since then
        // Losses within a second of the last one reported wait and are told together.
        std::optional<qint64> LossReportedUs;
        TLostRun HeldLoss;
        int HeldGaps = 0;
    };

    void Arrive(TUnitWatch &watch);
    void ReportIncomplete(int unit, const char *what);
    void ReportLoss(int unit, const TLostRun &run);
    void ReportHeldLoss(int unit);
    void Report(const char *event, const QString &details);
    QString TimeOfDay(qint64 us) const;

    TEventSink *m_sink = nullptr;
    TFrameClock m_clock;
    qint64 m_startUs = 0;  // the clock's first moment
    qint64 m_nowUs = 0;
    qint64 m_frameUs = 0;  // the frame last read
    std::array<TUnitWatch, Units> m_units;
    // By extended flag, then identifier: a standard and an extended frame of one number are
    // two frames on the bus.
    std::map<std::pair<bool, quint32>, TRateWindow> m_identifiers;
    TRateWindow m_other;
};
