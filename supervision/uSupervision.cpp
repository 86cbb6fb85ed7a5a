#include "supervision/uSupervision.h"

#include <algorithm>

TSupervision::TSupervision()
{
    Reset();
}

void TSupervision::Reset()
{
    Flush();
    m_clock = {};
    m_startUs = m_nowUs = m_frameUs = 0;
    m_identifiers.clear();
    m_other = {};
    for (int unit = 1; unit <= Units; ++unit) {
        TUnitWatch &watch = m_units[unit - 1];
        watch = {};
        watch.Gaps.OnLoss = [this, unit](const TLostRun &run) { ReportLoss(unit, run); };
    }
}

void TSupervision::Flush()
{
    for (TUnitWatch &watch : m_units)
        watch.Gaps.Flush();
    ReportHeldLosses();
}

void TSupervision::ReportHeldLosses()
{
    for (int unit = 1; unit <= Units; ++unit)
        ReportHeldLoss(unit);
}

void TSupervision::FrameRead(const TPCANMsg &message, qint64 frameUs, const QDateTime &readLocal)
{
    const bool first = !m_clock.Started();
    m_frameUs = m_clock.Place(frameUs, readLocal.toMSecsSinceEpoch() * 1000);
    if (first)
        m_startUs = m_nowUs = m_frameUs;
    m_nowUs = std::max(m_nowUs, m_frameUs);

    const std::pair<bool, quint32> id{(message.MSGTYPE & PCAN_MESSAGE_EXTENDED) != 0, message.ID};
    auto known = m_identifiers.find(id);
    if (known == m_identifiers.end() && int(m_identifiers.size()) < MostIdentifiers)
        known = m_identifiers.emplace(id, TRateWindow{}).first;
    (known != m_identifiers.end() ? known->second : m_other).Count(m_frameUs);
}

void TSupervision::UnitFrame(int unit, TSampleFrame frame)
{
    if (unit < 1 || unit > Units || !m_clock.Started())
        return;
    TUnitWatch &watch = m_units[unit - 1];
    watch.Seen = true;
    switch (frame) {
    case TSampleFrame::Whole:
        watch.Open = false;
        Arrive(watch);
        break;
    case TSampleFrame::Motion:
        if (watch.Open)
            ReportIncomplete(unit, "motion frame without status frame");
        watch.Open = true;
        Arrive(watch);
        break;
    case TSampleFrame::Status:
        if (watch.Open) {
            watch.Open = false;
        } else {
            ReportIncomplete(unit, "status frame without motion frame");
            Arrive(watch);
        }
        break;
    }
}

void TSupervision::AdvanceTo(const QDateTime &localNow)
{
    if (m_clock.Started())
        m_nowUs = std::max(m_nowUs, m_clock.FromLocal(localNow.toMSecsSinceEpoch() * 1000));
    for (int unit = 1; unit <= Units; ++unit) {
        const std::optional<qint64> last = m_units[unit - 1].LossReportedUs;
        if (last && m_nowUs - *last >= LossReportUs)
            ReportHeldLoss(unit);
    }
}

// A sample's moment is that of its first frame.
void TSupervision::Arrive(TUnitWatch &watch)
{
    ++watch.Samples;
    watch.Rate.Count(m_frameUs);
    watch.Gaps.Arrival(m_frameUs);
}

void TSupervision::ReportIncomplete(int unit, const char *what)
{
    TUnitWatch &watch = m_units[unit - 1];
    ++watch.Incomplete;
    const std::optional<qint64> last = watch.IncompleteReportedUs;
    if (last && m_frameUs - *last < IncompleteReportUs) {
        ++watch.IncompleteHeld;
        return;
    }
    QString details = QStringLiteral("unit %1: %2").arg(unit).arg(QLatin1String(what));
    if (watch.IncompleteHeld > 0)
        details += QStringLiteral("; %1 more not reported since %2")
                       .arg(watch.IncompleteHeld)
                       .arg(TimeOfDay(*last));
    watch.IncompleteHeld = 0;
    watch.IncompleteReportedUs = m_frameUs;
    Report(DriveEvent::IncompleteSample, details);
}

// A unit that keeps losing samples would write an event for every gap: those within a second
// of the last event are told in the next one, with their count and the time they span.
void TSupervision::ReportLoss(int unit, const TLostRun &run)
{
    TUnitWatch &watch = m_units[unit - 1];
    if (watch.HeldGaps == 0)
        watch.HeldLoss = run;
    else {
        watch.HeldLoss.Count += run.Count;
        watch.HeldLoss.ToUs = run.ToUs;
    }
    ++watch.HeldGaps;
    if (!watch.LossReportedUs || run.ToUs - *watch.LossReportedUs >= LossReportUs)
        ReportHeldLoss(unit);
}

void TSupervision::ReportHeldLoss(int unit)
{
    TUnitWatch &watch = m_units[unit - 1];
    if (watch.HeldGaps == 0)
        return;
    const TLostRun &run = watch.HeldLoss;
    QString details = QStringLiteral("unit %1: %2 %3")
                          .arg(unit)
                          .arg(run.Count)
                          .arg(run.Count == 1 ? QLatin1String("sample") : QLatin1String("samples"));
    if (watch.HeldGaps > 1)
        details += QStringLiteral(" in %1 gaps").arg(watch.HeldGaps);
    details += QStringLiteral(" from %1 to %2").arg(TimeOfDay(run.FromUs), TimeOfDay(run.ToUs));
    watch.LossReportedUs = run.ToUs;
    watch.HeldGaps = 0;
    Report(DriveEvent::SamplesLost, details);
}

void TSupervision::Report(const char *event, const QString &details)
{
    if (m_sink)
        m_sink->DriveEventOccurred(event, details);
}

QString TSupervision::TimeOfDay(qint64 us) const
{
    return QDateTime::fromMSecsSinceEpoch(m_clock.ToLocal(us) / 1000)
        .toString(QStringLiteral("HH:mm:ss.zzz"));
}

TUnitHealth TSupervision::Unit(int unit) const
{
    if (unit < 1 || unit > Units)
        return {};
    const TUnitWatch &watch = m_units[unit - 1];
    const TSampleGaps &gaps = watch.Gaps;
    const std::optional<qint64> lastLoss = gaps.LastLossUs();
    TUnitHealth health;
    health.Seen = watch.Seen;
    health.PeriodKnown = gaps.Period() == TSampleGaps::TPeriod::Known;
    health.Untimed = gaps.Period() == TSampleGaps::TPeriod::Untimed;
    health.PeriodMs = double(gaps.PeriodUs()) / 1000.0;
    health.SamplesPerSecond = watch.Rate.PerSecond(m_startUs, m_nowUs);
    health.Samples = watch.Samples;
    health.Lost = gaps.Lost();
    health.Late = gaps.Late();
    health.Incomplete = watch.Incomplete;
    health.LostLastMinute = lastLoss && m_nowUs - *lastLoss < LostRecentlyUs;
    return health;
}

QList<TIdentifierRate> TSupervision::Identifiers() const
{
    QList<TIdentifierRate> rates;
    for (const auto &[id, window] : m_identifiers)
        rates.append({id.second, id.first, window.PerSecond(m_startUs, m_nowUs)});
    return rates;
}

double TSupervision::OtherFramesPerSecond() const
{
    return m_other.PerSecond(m_startUs, m_nowUs);
}
