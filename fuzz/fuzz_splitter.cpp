// The packet splitter fed an arbitrary stream in arbitrary chunks. Three splitters read the
// same chunks: one framed for GPS, one for VBOX, one whose framing the stream itself changes,
// and the packets go on to the handlers as they would in the program.

#include "fuzz/uFuzzRequire.h"
#include "speed/uGpsSpeed.h"
#include "speed/uPacketSplitter.h"
#include "speed/uVboxSpeed.h"

#include <cstddef>
#include <cstdint>

namespace {

// A chunk that begins with one of these bytes also reframes the third splitter; NMEA text
// and VBOX messages do not carry them at the start of a chunk often, so real streams stay real.
enum TReframe : std::uint8_t { SetStart = 0x01, SetStop = 0x02, SetSize = 0x03 };

void Reframe(TPacketSplitter &splitter, const QByteArray &chunk)
{
    if (chunk.size() < 2)
        return;
    const auto command = std::uint8_t(chunk[0]);
    const qsizetype length = std::uint8_t(chunk[1]) % 9;  // strings of 0 to 8 bytes
    const QByteArray value = chunk.mid(2, length);
    if (command == SetStart)
        splitter.SetStartString(value);
    else if (command == SetStop)
        splitter.SetStopString(value);
    else if (command == SetSize)
        splitter.SetSize(std::uint8_t(chunk[1]) % 64);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QLocale comma(QLocale::Polish, QLocale::Poland);
    const QByteArray stream =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    TPacketSplitter gps;
    gps.SetStartString("$GP");
    gps.SetStopString("\r\n");
    gps.SetOnPacket([](const QByteArray &body) {
        Require(!body.contains("\r\n"));
        Require(ReadGpsSentence(body, comma).GpsLines.size() <= 1);
    });

    TPacketSplitter vbox;
    vbox.SetStartString("$VBOX3i,");
    vbox.SetSize(42);
    vbox.SetOnPacket([](const QByteArray &payload) {
        Require(payload.size() == 34);
        Require(
            ReadVboxPayload(payload, QStringLiteral("18FECF10"), false, comma).Speed.has_value());
    });

    TPacketSplitter reframed;
    reframed.SetStartString("$GP");
    reframed.SetStopString("\r\n");
    qsizetype held = 0;  // bytes the reframed splitter may hand out: what it holds plus the chunk
    reframed.SetOnPacket([&held](const QByteArray &packet) { Require(packet.size() <= held); });

    qsizetype at = 0;
    while (at < stream.size()) {
        // The stream's own bytes choose the chunk lengths, 1 to 61.
        const qsizetype length = 1 + std::uint8_t(stream[at]) % 61;
        const QByteArray chunk = stream.mid(at, length);
        at += chunk.size();
        Reframe(reframed, chunk);
        held = reframed.Pending() + chunk.size();
        for (TPacketSplitter *splitter : {&gps, &vbox, &reframed}) {
            splitter->Feed(chunk);
            Require(splitter->Pending() < TPacketSplitter::MaxBufferSize);
        }
    }
    return 0;
}
