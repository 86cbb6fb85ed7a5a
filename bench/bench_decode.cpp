// Frames per second through the adapter's Read, the decoder and the sample's completion with
// the chart model, on one core. Prints one line per protocol environment.

#include "acquisition/uTrafficRing.h"
#include "adapter/PCANBasic.h"
#include "display/uChartModel.h"
#include "protocol/uFrameDecoder.h"
#include "sim/uSimulatedDrive.h"
#include "support/uFakeCanDevice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

class TChartSink : public TDecoderSink
{
public:
    TChartSink(TAcquisitionState &state, bool trafficLines) : m_state(state), m_lines(trafficLines)
    {
    }
    bool WantsTrafficLines() const override { return m_lines; }
    // As the traffic window takes them: into its ring, formatted only when shown.
    void TrafficFrame(const char *prefix, const TPCANMsg &message) override
    {
        m_traffic.PushFrame(prefix, message);
    }
    void Unit1SampleComplete() override { Chart.AppendChartSample(m_state.Sensors[1]); }
    bool ChannelOpen() const override { return true; }

    TChartModel Chart;

private:
    TAcquisitionState &m_state;
    bool m_lines;
    TTrafficRing m_traffic{100000};
};

// A test drive's frames as a bus of one environment carries them, in bus order.
QList<QCanBusFrame> DriveFrames(TProtocolEnv env, int samples)
{
    TSimulatedDrive drive(1000);
    QList<QCanBusFrame> frames;
    for (int ms = 1; ms <= samples; ++ms) {
        for (const QCanBusFrame &frame : drive.FramesUntil(ms)) {
            const bool production = frame.frameId() == TSimulatedDrive::UnitId
                                    || frame.frameId() == TSimulatedDrive::ChassisId;
            if (production == (env == TProtocolEnv::peProduction))
                frames << frame;
        }
    }
    return frames;
}

double FramesPerSecond(TProtocolEnv env, bool trafficLines, const QList<QCanBusFrame> &frames,
                       int rounds)
{
    TFakeCanBus bus;
    TPCANBasic::Initialize(PCAN_USBBUS1, 0x011C, PCAN_TYPE_ISA, 0, 0);
    TAcquisitionState state;
    state.ProtocolEnv = env;
    if (env == TProtocolEnv::peTest) {
        state.CanId1 = QStringLiteral("18FEDC10");
        state.CanId2 = QStringLiteral("18FEDC20");
        state.CanId3 = QStringLiteral("18FEDC30");
    }
    TChartSink sink(state, trafficLines);
    qint64 read = 0;
    qint64 nanoseconds = 0;
    // A saturated bus brings about 380 frames per 50 ms tick; the queue is filled in such
    // batches and only the drain is timed.
    constexpr int Batch = 380;
    for (int round = 0; round < rounds; ++round) {
        for (qsizetype at = 0; at < frames.size(); at += Batch) {
            bus.Device()->Inject(frames.mid(at, Batch));
            QElapsedTimer timer;
            timer.start();
            read += DrainReceiveQueue(PCAN_USBBUS1, state, {46000.5, 1000}, sink);
            nanoseconds += timer.nsecsElapsed();
        }
    }
    return read * 1e9 / double(nanoseconds);
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    for (const auto &[env, name] : {std::pair{TProtocolEnv::peProduction, "production"},
                                    std::pair{TProtocolEnv::peTest, "test protocol"}}) {
        const QList<QCanBusFrame> frames = DriveFrames(env, 20000);
        FramesPerSecond(env, false, frames, 1);  // warm-up
        out << name << ": " << qRound64(FramesPerSecond(env, false, frames, 5))
            << " frames/s; with traffic lines: " << qRound64(FramesPerSecond(env, true, frames, 5))
            << " frames/s\n";
    }
    return 0;
}
