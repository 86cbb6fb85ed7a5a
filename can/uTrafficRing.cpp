#include "can/uTrafficRing.h"

#include "can/uFrameDecoder.h"

#include <cstring>

namespace {

// "data CAN1:" then eight bytes of two digits, seven blanks between them.
constexpr int FrameBytesLength = 8 * 2 + 7;

} // namespace

TTrafficRing::TTrafficRing(int capacity) : m_capacity(qMax(1, capacity)) {}

void TTrafficRing::PushFrame(const char *prefix, const TPCANMsg &message)
{
    TEntry entry;
    entry.Prefix = prefix;
    std::memcpy(entry.Data, message.DATA, sizeof entry.Data);
    Push(entry, int(std::strlen(prefix)) + FrameBytesLength);
}

void TTrafficRing::PushText(const QString &text)
{
    TEntry entry;
    entry.Prefix = nullptr;
    entry.TextNumber = m_firstText + m_texts.size();
    m_texts.push_back(text);
    Push(entry, int(text.size()));
}

void TTrafficRing::Push(const TEntry &entry, int length)
{
    m_longest = qMax(m_longest, length);
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
