#pragma once
// The lines of one traffic pane, newest last, at most a fixed number of them. A frame is kept
// as its prefix and data bytes and becomes text only when someone reads the line, so the bus
// at full speed costs a copy of 16 bytes per frame, and a full ring costs nothing more.

#include "adapter/PCANBasic.h"

#include <QString>

#include <deque>
#include <vector>

class TTrafficRing
{
public:
    explicit TTrafficRing(int capacity);

    // prefix must live as long as the ring: the decoder's prefixes are literals.
    void PushFrame(const char *prefix, const TPCANMsg &message);
    void PushText(const QString &text);

    int Capacity() const { return m_capacity; }
    int Count() const { return int(m_entries.size()); }
    // Every line ever pushed has a number, counting from 0; the oldest kept is FirstNumber().
    quint64 FirstNumber() const { return m_pushed - quint64(m_entries.size()); }
    quint64 Pushed() const { return m_pushed; }
    // row 0 is the oldest line kept.
    QString Line(int row) const;
    // The kept lines from number `first` on (all of them if it is older), one text with a
    // line feed between lines, formatted in one go.
    QString LinesFrom(quint64 first) const;

private:
    struct TEntry {
        const char *Prefix;  // a frame's line; nullptr for a text line
        union {
            quint8 Data[8];      // a frame's data bytes
            quint64 TextNumber;  // a text line's number in m_texts' running count
        };
    };

    void Push(const TEntry &entry);

    int m_capacity;
    std::vector<TEntry> m_entries;  // grows to m_capacity, then wraps at m_oldest
    size_t m_oldest = 0;
    quint64 m_pushed = 0;
    // Text lines in the order pushed; they leave the ring in the same order, so the front
    // is always the oldest text still in it.
    std::deque<QString> m_texts;
    quint64 m_firstText = 0;
};

// What a view of a ring is missing, as one text to append. Replace: the text is the whole
// ring and takes the place of all the view holds.
struct TTrafficCatchUp {
    bool Replace = false;
    QString Text;
};

// How far one view (a text pane) has been handed a ring's lines. The view keeps as many lines
// as the ring, dropping its oldest, so after each catch-up it holds exactly the ring's lines.
class TTrafficReader
{
public:
    // Nothing new: no text and no replace.
    TTrafficCatchUp CatchUp(const TTrafficRing &ring);

private:
    quint64 m_handed = 0;  // lines handed so far, in the ring's running count
};
