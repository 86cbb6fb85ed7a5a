// Packet splitter throughput for NMEA text and VBOX messages, fed in chunks of the driver's
// 1024-byte queue and in the few bytes a port at 115200 baud reports per event. The link
// carries 11.5 KB/s; the target is 50 MB/s.

#include "speed/uPacketSplitter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

QByteArray NmeaStream(qsizetype bytes)
{
    const QByteArray second =
        "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n"
        "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n"
        "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
        "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n"
        "$GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45*75\r\n"
        "$GPGSV,2,2,08,15,30,050,47,19,10,200,38,24,55,120,48,32,08,310,35*7A\r\n";
    return second.repeated(bytes / second.size());
}

QByteArray VboxStream(qsizetype bytes)
{
    QByteArray message = "$VBOX3i,";
    for (int i = 0; i < 34; ++i)
        message += char(i * 7);
    return message.repeated(bytes / message.size());
}

struct TThroughput {
    double MegabytesPerSecond;
    double PacketsPerSecond;
};

TThroughput Measure(const QByteArray &stream, const QByteArray &start, const QByteArray &stop,
                    int size, qsizetype chunkSize)
{
    TPacketSplitter splitter;
    splitter.SetStartString(start);
    splitter.SetStopString(stop);
    splitter.SetSize(size);
    qint64 packets = 0;
    qint64 payloadBytes = 0;  // read so the packets cannot be optimised away
    splitter.SetOnPacket([&](const QByteArray &packet) {
        ++packets;
        payloadBytes += packet.size();
    });
    QElapsedTimer timer;
    timer.start();
    for (qsizetype at = 0; at < stream.size(); at += chunkSize)
        splitter.Feed(
            QByteArray::fromRawData(stream.constData() + at, qMin(chunkSize, stream.size() - at)));
    const double seconds = qMax(timer.nsecsElapsed(), qint64(1)) / 1e9;
    if (payloadBytes == 0)
        qFatal("no packets");
    return {stream.size() / 1e6 / seconds, packets / seconds};
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const qsizetype megabytes = qEnvironmentVariableIntValue("BENCH_MB") > 0
                                    ? qEnvironmentVariableIntValue("BENCH_MB")
                                    : 64;
    const QByteArray nmea = NmeaStream(megabytes * 1000000);
    const QByteArray vbox = VboxStream(megabytes * 1000000);
    QTextStream out(stdout);
    for (const qsizetype chunk : {1024, 16}) {
        const TThroughput n = Measure(nmea, "$GP", "\r\n", 0, chunk);
        out << "NMEA, " << chunk << "-byte chunks: " << qRound(n.MegabytesPerSecond) << " MB/s, "
            << qRound64(n.PacketsPerSecond) << " sentences/s\n";
        const TThroughput v = Measure(vbox, "$VBOX3i,", {}, 42, chunk);
        out << "VBOX, " << chunk << "-byte chunks: " << qRound(v.MegabytesPerSecond) << " MB/s, "
            << qRound64(v.PacketsPerSecond) << " messages/s\n";
    }
    return 0;
}
