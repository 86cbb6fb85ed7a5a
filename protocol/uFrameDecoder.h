#pragma once
// Recognises the frames of the configured units and of the chassis and decodes them into the
// acquisition state.

#include "adapter/PCANBasic.h"
#include "base/uClock.h"
#include "protocol/uIdentifiers.h"
#include "protocol/uSensorData.h"

#include <QString>

// What the decoder hands back to its owner while it works through the queue.
class TDecoderSink
{
public:
    virtual ~TDecoderSink() = default;
    // False when no traffic window is in use: the frames are then not handed on at all.
    virtual bool WantsTrafficLines() const = 0;
    // A recognised frame for the traffic window, not yet text: TrafficLine(prefix, message)
    // gives its line. prefix is one of the decoder's literals and may be kept.
    virtual void TrafficFrame(const char *prefix, const TPCANMsg &message) = 0;
    // A record frame of unit 1 has been stored; the sample is complete.
    virtual void Unit1SampleComplete() = 0;
    // A frame of unit 1..3 has been decoded: one that completes its sample, or the motion
    // frame that opens a test-protocol sample.
    virtual void UnitFrame(int /*unit*/, bool /*completes*/) {}
    // False once the channel has been closed, which ends the drain.
    virtual bool ChannelOpen() const = 0;
    // Every frame read, before it is decoded; returns the moment it counts as read at, which
    // is the drain's unless the frames carry a time of their own.
    virtual TTimeStamp FrameRead(const TPCANMsg &, const TPCANTimestamp &,
                                 const TTimeStamp &drainTime)
    {
        return drainTime;
    }
};

// The frame's identifier equals the text's value plus offset (1 for a status frame). A text
// that is no identifier matches no frame.
bool MatchesIdentifier(const QString &text, quint32 frameId, quint32 offset = 0);

// The frame completes a sample of unit 1: the data frame in production, the status frame in
// the test protocol.
bool CompletesUnit1Sample(const TPCANMsg &message, const TAcquisitionState &state);
// "data CAN1/2:09 C4 00 0F 17 01 F4 03": prefix, then all eight data bytes.
QString TrafficLine(const char *prefix, const TPCANMsg &message);

void DecodeChassisFrame(const TPCANMsg &message, TChassisData &chassis);
void DecodeProductionDataFrame(const TPCANMsg &message, TSensorSample &unit);
// accelerationDivisor: 1000 for unit 1, 100 for units 2 and 3.
void DecodeMotionFrame(const TPCANMsg &message, TSensorSample &unit, double accelerationDivisor);
void DecodeStatusFrame(const TPCANMsg &message, TSensorSample &unit);

// "ONLINE " in the production environment, "ONLINE v2.3" in the test protocol.
QString OnlineCaption(TProtocolEnv env, const QString &firmware);

// Decodes one frame by the rules of the current environment.
void DispatchFrame(const TPCANMsg &message, TAcquisitionState &state, const TTimeStamp &now,
                   TDecoderSink &sink);

// Reads and dispatches until the queue is empty, a read fails or the channel closes.
// Returns the number of frames read.
int DrainReceiveQueue(TPCANHandle channel, TAcquisitionState &state, const TTimeStamp &now,
                      TDecoderSink &sink);
