#pragma once
// One unit's samples against its own period: the period learned as the median interval of its
// first 2 s of samples (at least 8 intervals), then every sample put into its slot of the
// period. Slots left empty held samples that did not come. One that comes after all, held up
// and then sent in a rush into a slot already taken, counts as late, as does one that came
// early into a slot before; the rest are confirmed lost at the next sample in the slot after
// its predecessor's. Times are µs on the frames' clock.

#include <QtGlobal>

#include <functional>
#include <optional>
#include <vector>

struct TLostRun {
    qint64 Count = 0;
    qint64 FromUs = 0;  // the last sample before the gap
    qint64 ToUs = 0;    // the first sample after it
};

class TSampleGaps
{
public:
    static constexpr qint64 LearningUs = 2'000'000;
    static constexpr int LearningIntervals = 8;
    // Samples kept while learning: a fast unit learns from its first ones.
    static constexpr int MostLearningSamples = 512;
    // Shorter intervals are those of frames timed by their read, not by the adapter: such
    // times tell nothing of losses.
    static constexpr qint64 ShortestPeriodUs = 1000;

    enum class TPeriod { Learning, Known, Untimed };

    // Told of every confirmed loss, in order.
    std::function<void(const TLostRun &run)> OnLoss;

    // A sample (complete or not) arrived at us.
    void Arrival(qint64 us);
    // A gap still waiting for its late samples is lost now: the unit is no longer heard.
    void Flush();

    TPeriod Period() const { return m_period; }
    qint64 PeriodUs() const { return m_periodUs; }
    qint64 Lost() const { return m_lost; }
    qint64 Late() const { return m_late; }
    // The end of the last confirmed loss, if any.
    std::optional<qint64> LastLossUs() const { return m_lastLossUs; }

private:
    void Learn();
    void Judge(qint64 us);

    TPeriod m_period = TPeriod::Learning;
    qint64 m_periodUs = 0;
    std::vector<qint64> m_learning;  // arrivals until the period is known
    bool m_heard = false;            // once known: a sample has been judged
    qint64 m_lastUs = 0;
    qint64 m_slotUs = 0;  // the middle of the last sample's slot
    qint64 m_stepUs = 0;  // from one slot to the next: the period as the samples keep it
    qint64 m_early = 0;   // samples that came into a slot already taken, with no gap before
    TLostRun m_pending;   // samples of the last gap that may still come late
    qint64 m_lost = 0;
    qint64 m_late = 0;
    std::optional<qint64> m_lastLossUs;
};
