#pragma once
// The way of the units' frames to samples: the channel's state, draining the adapter's queue
// and decoding it, the watchdogs, and the sinks every completed sample of unit 1 goes to.
// Windows subscribe to what it reports and send the user's commands down.

#include "acquisition/uWatchdogs.h"
#include "adapter/PCANBasic.h"
#include "adapter/uAdapterLink.h"
#include "base/uClock.h"
#include "base/uDriveEvents.h"
#include "protocol/uFrameDecoder.h"
#include "protocol/uFrameTap.h"
#include "protocol/uSampleSink.h"
#include "protocol/uSensorData.h"
#include "supervision/uBusHealth.h"
#include "supervision/uFrameTimeLine.h"
#include "supervision/uSupervision.h"

#include <QString>

#include <functional>
#include <vector>

class TAcquisition : private TDecoderSink
{
public:
    explicit TAcquisition(const TClock &clock) : m_clock(clock) {}

    TAcquisitionState State;
    TPCANHandle CanChannel = 0;
    bool TrafficWanted = false;  // for the traffic window, which only the command line opens

    // What windows show; any may be left empty. A frame's prefix is one of the decoder's
    // literals; TrafficLine(prefix, message) is its text.
    std::function<void(const char *prefix, const TPCANMsg &message)> OnTrafficFrame;
    std::function<void(const QString &line)> OnTrafficLine;  // the channel's events
    std::function<void(const QString &caption)> OnStatusCaption;
    std::function<void(bool open)> OnChannelChanged;

    // Every event of the channel and the bus; null for none. It must outlive this.
    void SetEventSink(TEventSink *sink);

    // Sinks are told of each sample in the order added; they must outlive this object.
    void AddSink(TSampleSink &sink) { m_sinks.push_back(&sink); }
    // Told of every frame read and every frame sent; null for none. It must outlive this.
    void SetFrameTap(TFrameTap *tap) { m_tap = tap; }

    // Open from a Connect to a Disconnect, also while a lost adapter is tried again.
    bool ChannelOpen() const override { return m_open; }
    // Clears unit 1's values and opens the adapter; false when it cannot be opened. A backend
    // that connects in the event loop may still fail: the next Drain closes the channel then.
    bool Connect(TPCANBaudrate baudrate);
    // Closes the adapter; the channel counts as closed even when closing fails.
    void Disconnect();
    // Decodes every frame waiting in the adapter, then watches the adapter: a lost one is
    // reported at once and tried again with a growing pause. Returns the number read.
    int Drain();
    // One display tick: the watchdogs zero the speed or drop the connection; the bus state.
    void RunWatchdogs();
    // Events held back by their once-a-second limits (losses, bus errors) go to the event
    // sink now: before a log stops, so that its events record holds them.
    void ReportHeldEvents();

    // Since the last Connect, on the monotonic clock; and the bus speed it asked for.
    qint64 ConnectedForMs() const { return m_clock.MonotonicMs() - m_connectedMs; }
    TPCANBaudrate Baudrate() const { return m_baudrate; }

    // Whether the units' samples all arrive; reset at Connect, kept across an adapter's loss.
    TSupervision Supervision;
    const TAdapterLink &Link() const { return m_link; }
    const TBusHealth &Bus() const { return m_bus; }
    // Sends a frame on the open channel; the tap sees it once the adapter took it.
    TPCANStatus Send(const TPCANMsg &message) const;

    // A demo run's sample i (1..N): unit 1 holds it; it takes the live samples' way.
    void CompleteDemoSample(int index) { CompleteSample(index); }

private:
    bool WantsTrafficLines() const override { return TrafficWanted && OnTrafficFrame; }
    void TrafficFrame(const char *prefix, const TPCANMsg &message) override;
    TTimeStamp FrameRead(const TPCANMsg &message, const TPCANTimestamp &timestamp,
                         const TTimeStamp &drainTime) override;
    void ReportEvent(const char *line);
    void Unit1SampleComplete() override;
    void UnitFrame(int unit, bool completes) override;

    void CompleteSample(int demoIndex);
    void ShowCaption(const QString &caption);
    void FollowLink(TLinkChange change, qint64 nowMs);
    void ConnectFailed();
    void ReportDriveEvent(const char *event, const QString &details) const;

    const TClock &m_clock;
    std::vector<TSampleSink *> m_sinks;
    TFrameTap *m_tap = nullptr;
    TEventSink *m_events = nullptr;
    TAdapterLink m_link;
    TBusHealth m_bus;
    qint64 m_busStatusMs = 0;  // monotonic ms of the last reading of the bus state
    qint64 m_connectedMs = 0;
    TPCANBaudrate m_baudrate = 0;
    TListening m_listening;
    QString m_caption;
    TFrameTimeLine m_frameTimes;  // of this connection
    qint64 m_frameUs = 0;         // the frame being decoded, in µs since the epoch
    QDateTime m_drainLocal;       // when the drain began, in local time
    bool m_open = false;
};
