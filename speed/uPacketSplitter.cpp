#include "speed/uPacketSplitter.h"

#include <QIODevice>

void TPacketSplitter::SetStartString(const QByteArray &value)
{
    if (value == Start)
        return;
    Start = value;
    Reset();
}

void TPacketSplitter::SetStopString(const QByteArray &value)
{
    if (value == Stop)
        return;
    Stop = value;
    Reset();
}

void TPacketSplitter::SetSize(qsizetype value)
{
    if (value == FixedSize)
        return;
    FixedSize = value;
    Reset();
}

void TPacketSplitter::Reset()
{
    Buffer.clear();
    InPacket = false;
}

void TPacketSplitter::Feed(const QByteArray &chunk)
{
    Buffer.append(chunk);
    for (;;) {
        if (!InPacket) {
            const qsizetype at = Buffer.indexOf(Start);
            if (at < 0)
                break;  // a start string cut by the chunk's end is found with its rest
            Buffer.remove(0, at);
            InPacket = true;
        }
        const qsizetype length = CompletePacketLength();
        if (length == 0)
            break;
        QByteArray packet = Buffer.left(length);
        // The state is whole before the handler runs, so a handler that feeds or reframes
        // this splitter finds it consistent.
        Buffer.remove(0, length);
        InPacket = false;
        if (OnPacket)
            OnPacket(Stripped(std::move(packet)));
    }
    // Checked only once no further packet can be taken, so a long chunk of whole packets is
    // never dropped.
    if (Buffer.size() >= MaxBufferSize)
        Reset();
}

qsizetype TPacketSplitter::CompletePacketLength() const
{
    if (FixedSize > 0 && Buffer.size() >= FixedSize)
        return FixedSize;
    if (Stop.isEmpty())
        return 0;
    // The start string's own bytes are not searched, so a stop string that overlaps it does
    // not end the packet.
    const qsizetype at = Buffer.indexOf(Stop, Start.size());
    return at < 0 ? 0 : at + Stop.size();
}

QByteArray TPacketSplitter::Stripped(QByteArray packet) const
{
    if (packet.startsWith(Start))
        packet.remove(0, Start.size());
    const qsizetype stopAt = Stop.isEmpty() ? -1 : packet.indexOf(Stop);
    if (stopAt >= 0 && stopAt + Stop.size() == packet.size())
        packet.chop(Stop.size());
    return packet;
}

qsizetype TPacketSplitter::ReadFrom(QIODevice &device)
{
    const QByteArray chunk = device.readAll();
    if (!chunk.isEmpty())
        Feed(chunk);
    return chunk.size();
}
