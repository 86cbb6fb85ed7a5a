#pragma once
// Cuts packets out of the byte stream of a serial speed source. Bytes come in by the chunk, as
// the port delivers them; packets go out through a callback with their start and stop strings
// removed. The splitter owns no port: the program feeds it from a QSerialPort, tests from a
// QBuffer or a pseudo-terminal.

#include <QByteArray>

#include <functional>

class QIODevice;

class TPacketSplitter
{
public:
    using TPacketHandler = std::function<void(const QByteArray &packet)>;

    // Pending bytes at or above this count are dropped at the end of a pass, so a stream
    // that never completes a packet cannot make the buffer grow.
    static constexpr qsizetype MaxBufferSize = 1024;

    void SetOnPacket(TPacketHandler handler) { OnPacket = std::move(handler); }

    // A value that differs from the current one empties the buffer and ends the packet in
    // progress; the same value changes nothing. Comparisons are byte for byte.
    void SetStartString(const QByteArray &value);
    // Empty: packets end only by Size.
    void SetStopString(const QByteArray &value);
    // Fixed packet length in bytes, counted from the first byte of the start string; 0 = none.
    void SetSize(qsizetype value);

    const QByteArray &StartString() const { return Start; }
    const QByteArray &StopString() const { return Stop; }
    qsizetype Size() const { return FixedSize; }

    // Appends the chunk and hands on every packet it completes, in stream order.
    void Feed(const QByteArray &chunk);
    // Feeds what the device has ready, without waiting for more; returns the bytes read.
    qsizetype ReadFrom(QIODevice &device);

    // Bytes received but not yet delivered or dropped; below MaxBufferSize between feeds.
    qsizetype Pending() const { return Buffer.size(); }

private:
    void Reset();
    // Length of the packet at the front of Buffer if it is complete, else 0.
    qsizetype CompletePacketLength() const;
    QByteArray Stripped(QByteArray packet) const;

    QByteArray Start;
    QByteArray Stop;
    qsizetype FixedSize = 0;
    QByteArray Buffer;
    // The start string sits at the front of Buffer.
    bool InPacket = false;
    TPacketHandler OnPacket;
};
