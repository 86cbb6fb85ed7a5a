#include "acquisition/uTrafficRing.h"

#include "protocol/uFrameDecoder.h"

#include <algorithm>
#include <cstring>

namespace {

// The longest frame line, "data chassis CAN:" and eight bytes with blanks between them, and
// its line feed.
constexpr int LongestFrameLine = 41;

}  // namespace

TTrafficRing::TTrafficRing(int capacity) : m_capacity(qMax(1, capacity))
{
}

void TTrafficRing::PushFrame(const char *prefix, const TPCANMsg &message)
{
    TEntry entry;
    entry.Prefix = prefix;
    std::memcpy(entry.Data, message.DATA, sizeof entry.Data);
    Push(entry);
}

void TTrafficRing::PushText(const QString &text)
{
    TEntry entry;
    entry.Prefix = nullptr;
    entry.TextNumber = m_firstText + m_texts.size();
    m_texts.push_back(text);
    Push(entry);
}

void TTrafficRing::Push(const TEntry &entry)
{
    ++m_pushed;
    if (m_entries.size() < size_t(m_capacity)) {
        m_entries.push_back(entry);
        return;
    }
    TEntry &oldest = m_entries[m_oldest];
    if (!oldest.Prefix) {
        m_texts.pop_front();
        ++m_firstText;
    }
    oldest = entry;
    m_oldest = (m_oldest + 1) % m_entries.size();
}

QString TTrafficRing::Line(int row) const
{
    if (row < 0 || row >= Count())
        return {};
    const TEntry &entry = m_entries[(m_oldest + size_t(row)) % m_entries.size()];
    if (!entry.Prefix)
        return m_texts[size_t(entry.TextNumber - m_firstText)];
    TPCANMsg message;
    std::memcpy(message.DATA, entry.Data, sizeof message.DATA);
    return TrafficLine(entry.Prefix, message);
}

QString TTrafficRing::LinesFrom(quint64 first) const
{
    const int firstRow = int(std::clamp(first, FirstNumber(), m_pushed) - FirstNumber());
    QString text;
    text.reserve(qsizetype(Count() - firstRow) * LongestFrameLine);
    for (int row = firstRow; row < Count(); ++row) {
        if (row > firstRow)
            text += QLatin1Char('\n');
        text += Line(row);
    }
    return text;
}

TTrafficCatchUp TTrafficReader::CatchUp(const TTrafficRing &ring)
{
    if (m_handed == ring.Pushed())
        return {};
    const quint64 capacity = quint64(ring.Capacity());
    const quint64 held = std::min(m_handed, capacity);
    const quint64 kept = held + (ring.Pushed() - m_handed);
    const quint64 cut = kept > capacity ? kept - capacity : 0;
    TTrafficCatchUp missing;
    // A text pane drops its oldest lines at about four times the cost of taking a line into an
    // empty pane: once it would drop a quarter of the ring, the whole ring anew is cheaper.
    missing.Replace = cut > 0 && cut * 4 >= quint64(ring.Count());
    missing.Text = ring.LinesFrom(missing.Replace ? 0 : m_handed);
    m_handed = ring.Pushed();
    return missing;
}
