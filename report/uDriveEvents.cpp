#include "report/uDriveEvents.h"

#include "base/uDriveEvents.h"
#include "base/uTextCodec.h"
#include "base/uTextFile.h"
#include "log/uLogFormat.h"

namespace {

// A unit that loses samples for hours writes an event a second; past this the record is read
// no further, so that a damaged or endless file cannot take all the memory.
constexpr qint64 MaxRecordBytes = 16 << 20;

bool Is(QStringView name, const char *event)
{
    return name == QLatin1String(event);
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The whole number that begins the text; 0 where none does.
qint64 LeadingCount(QStringView text)
{
    qsizetype digits = 0;
    while (digits < text.size() && IsDigit(text[digits]))
        ++digits;
    return text.first(digits).toLongLong();
}

// Unit 1's share of a "samples lost" event: "unit 1: 40 samples from … to …".
qint64 UnitOneLoss(QStringView details)
{
    const QLatin1String unitOne("unit 1: ");
    return details.startsWith(unitOne) ? LeadingCount(details.sliced(unitOne.size())) : 0;
}

// Unit 1's share of an "incomplete sample" event: the one it tells of, and those held back
// since the last ("…; 5 more not reported since …", the ";" written as ",").
qint64 UnitOneIncomplete(QStringView details)
{
    if (!details.startsWith(QLatin1String("unit 1: ")))
        return 0;
    const qsizetype held = details.indexOf(QLatin1String(" more not reported"));
    if (held < 0)
        return 1;
    qsizetype from = held;
    while (from > 0 && IsDigit(details[from - 1]))
        --from;
    return 1 + LeadingCount(details.sliced(from, held - from));
}

// The threshold an alarm event names: "LTR 0.612, threshold 0.5", with the log's decimal
// separator, which may be the comma that also parts the details.
std::optional<double> AlarmThreshold(QStringView details)
{
    const QLatin1String label("threshold ");
    const qsizetype at = details.indexOf(label);
    if (at < 0)
        return std::nullopt;
    QStringView number = details.sliced(at + label.size());
    qsizetype length = 0;
    while (length < number.size()
           && (IsDigit(number[length]) || number[length] == u'.' || number[length] == u','))
        ++length;
    QString text = number.first(length).toString();
    while (text.endsWith(u'.') || text.endsWith(u','))
        text.chop(1);
    bool read = false;
    const double value = text.replace(u',', u'.').toDouble(&read);
    return read ? std::optional<double>(value) : std::nullopt;
}

// What the events add to the counts, and the alarm periods they open and close.
class TEventCount
{
public:
    TEventCount(TDriveEvents *events, double logEnd) : m_events(events), m_logEnd(logEnd) {}

    void Add(const TDriveEvent &event)
    {
        const QStringView name = event.Name;
        // A log's start is followed by the state then in force, which is no change.
        if (Is(name, DriveEvent::LogStarted))
            m_startTime = event.Time;
        else if (event.Time != m_startTime || !Is(name, DriveEvent::SpeedSource))
            m_startTime.clear();
        if (Is(name, DriveEvent::SamplesLost))
            m_events->SamplesLost += UnitOneLoss(event.Details);
        else if (Is(name, DriveEvent::IncompleteSample))
            m_events->Incomplete += UnitOneIncomplete(event.Details);
        else if (Is(name, DriveEvent::AdapterLost))
            ++m_events->AdapterOutages;
        else if (Is(name, DriveEvent::CalibrationRequest))
            ++m_events->CalibrationRequests;
        else if (Is(name, DriveEvent::SpeedSource) && m_startTime.isEmpty())
            ++m_events->SpeedSourceChanges;
        else if (Is(name, DriveEvent::LtrAlarmOn) || Is(name, DriveEvent::LtrAlarmOff))
            AddAlarm(event, Is(name, DriveEvent::LtrAlarmOn));
    }

    // An alarm still on at the end of the record lasts to the log's end.
    void Finish()
    {
        if (m_alarmOn)
            m_events->AlarmPeriods.append({*m_alarmOn, std::max(*m_alarmOn, m_logEnd)});
    }

private:
    void AddAlarm(const TDriveEvent &event, bool on)
    {
        if (!m_events->Threshold)
            m_events->Threshold = AlarmThreshold(event.Details);
        if (on) {
            ++m_events->Alarms;
            if (!m_alarmOn)
                m_alarmOn = event.Seconds;
        } else if (m_alarmOn) {
            m_events->AlarmPeriods.append({*m_alarmOn, event.Seconds});
            m_alarmOn.reset();
        }
    }

    TDriveEvents *m_events;
    double m_logEnd;
    QString m_startTime;  // of the log's start, while the state in force follows it
    std::optional<double> m_alarmOn;
};

}  // namespace

TDriveEvents ReadDriveEvents(const QByteArray &bytes, const TDriveLog &log)
{
    TDriveEvents events;
    events.Known = true;
    TEventCount count(&events, log.Records.isEmpty() ? 0 : log.Records.constLast().Seconds);
    TClockAxis axis(int(log.StartClock));
    const QString text = DecodeLegacyText(bytes);
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype name = line.indexOf(u';') + 1;
        const qsizetype details = name > 0 ? line.indexOf(u';', name) + 1 : 0;
        if (details == 0)
            continue;
        const QStringView time = line.first(name - 1);
        const std::optional<double> clock = ClockSeconds(time);
        if (!clock)
            continue;  // the column line, or a line that is not an event
        TDriveEvent event{time.toString(), double(axis.Place(int(*clock))),
                          line.sliced(name, details - 1 - name).toString(),
                          line.sliced(details).toString()};
        count.Add(event);
        events.Events.append(std::move(event));
    }
    count.Finish();
    return events;
}

TDriveEvents ReadDriveEventsBeside(const QString &logPath, const TDriveLog &log)
{
    const std::optional<QByteArray> bytes =
        ReadTextFileHead(EventsRecordNameFor(logPath), MaxRecordBytes);
    return bytes ? ReadDriveEvents(*bytes, log) : TDriveEvents();
}
