#pragma once
// Samples a simulated unit leaves out on purpose, so that the supervision of lost samples can
// be tried and tested: the same two options for tools/telqar-sim and for telqar-logger with
// --can=sim.
//   --drop-every=N         every Nth sample: N, 2N, 3N...
//   --drop-burst=AT:COUNT  COUNT samples in a row from sample AT on
// Samples count from 1, the first one the unit sends.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

struct TSimulatedDrops {
    int Every = 0;  // 0: none
    qint64 BurstAt = 0;
    qint64 BurstCount = 0;  // 0: no burst

    bool Any() const { return Every > 0 || BurstCount > 0; }
    bool Drops(qint64 sample) const;
};

namespace SimulatedDrops {

// The options' names, without the leading "--".
inline const QString Every = QStringLiteral("drop-every");
inline const QString Burst = QStringLiteral("drop-burst");

bool IsOption(const QString &name);
// The value of option name, one of the two, into drops; false with a message for the user when
// it does not parse.
bool ReadOption(const QString &name, const QString &value, TSimulatedDrops &drops, QString *error);

// For a QCommandLineParser, with their help texts.
QList<QCommandLineOption> Options();
// Those a parser has parsed.
bool ReadOptions(const QCommandLineParser &parser, TSimulatedDrops &drops, QString *error);

// Only a simulated unit drops samples: false with the message when drops are asked of another
// backend.
bool FitBackend(const TSimulatedDrops &drops, bool simulated, QString *error);

}  // namespace SimulatedDrops
