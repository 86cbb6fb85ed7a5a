// The shipped DBC file, read by canmatrix as another CAN tool would read it, must give the values
// the program itself makes of the same frames.

#include "protocol/uCalibration.h"
#include "protocol/uFrameDecoder.h"
#include "protocol/uIdentifiers.h"
#include "sim/uSimulatedDrive.h"
#include "speed/uSpeedFrame.h"
#include "trace/uCandumpLine.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include <cmath>
#include <functional>
#include <random>

namespace {

using TValues = QMap<QString, double>;
using TLabels = QMap<QString, QString>;

// Half the finest step of the protocol (1/1000): a wrong scale, offset or sign is caught
// anywhere, rounding of the last digit is not.
constexpr double Tolerance = 0.0005;
constexpr int RandomFramesPerKind = 2000;

// Where each 16-bit field starts, at either byte parity, at its lowest and highest value signed
// and unsigned, and every byte at 00, 7F, 80 and FF.
const QByteArray ExtremeFrames[] = {
    QByteArray::fromHex("0000000000000000"), QByteArray::fromHex("FFFFFFFFFFFFFFFF"),
    QByteArray::fromHex("7FFF7FFF7FFF7FFF"), QByteArray::fromHex("FF7FFF7FFF7FFF7F"),
    QByteArray::fromHex("8000800080008000"), QByteArray::fromHex("0080008000800080"),
};

// A frame the program receives: its message in the DBC and the values the program's decoder
// makes of it.
struct TReceivedKind {
    const char *Name;
    QString Message;
    quint32 Id;
    std::function<TValues(const TPCANMsg &)> Decode;
};

// A frame of the trace with what the DBC must make of it.
struct TCase {
    QString Kind;
    TTraceFrame Frame;
    QString Message;
    TValues Values;
    TLabels Labels;
};

TPCANMsg Extended(quint32 id, const QByteArray &data)
{
    TPCANMsg message;
    message.ID = id;
    message.MSGTYPE = PCAN_MESSAGE_EXTENDED;
    message.LEN = quint8(data.size());
    std::copy(data.cbegin(), data.cend(), message.DATA);
    return message;
}

TValues ProductionValues(const TPCANMsg &message)
{
    TSensorSample unit;
    DecodeProductionDataFrame(message, unit);
    return {{"Status", unit.Status}, {"TiltX", unit.TiltX}, {"TiltY", unit.TiltY},
            {"AccX", unit.AccX},     {"AccY", unit.AccY},   {"LTR", unit.LTR}};
}

TValues ChassisValues(const TPCANMsg &message)
{
    TChassisData chassis;
    DecodeChassisFrame(message, chassis);
    return {{"VehicleSpeed", chassis.VehicleSpeed}};
}

std::function<TValues(const TPCANMsg &)> MotionValues(double accelerationDivisor)
{
    return [accelerationDivisor](const TPCANMsg &message) {
        TSensorSample unit;
        DecodeMotionFrame(message, unit, accelerationDivisor);
        return TValues{
            {"TiltX", unit.TiltX}, {"TiltY", unit.TiltY}, {"AccX", unit.AccX}, {"AccY", unit.AccY}};
    };
}

TValues StatusValues(const TPCANMsg &message)
{
    TSensorSample unit;
    DecodeStatusFrame(message, unit);
    bool isNumber = false;
    const double firmware = unit.Firmware.toDouble(&isNumber);
    return {{"Temperature", unit.Temperature},
            {"AngularVelocity", unit.AngularVelocity},
            {"Firmware", isNumber ? firmware : qQNaN()},
            {"LTR", unit.LTR},
            {"Status", unit.Status}};
}

quint32 DefaultIdentifier(const QString &text)
{
    return IdentifierValue(text).value_or(0);
}

QList<TReceivedKind> ReceivedKinds()
{
    const TAcquisitionState defaults;
    const auto test = TSimulatedDrive::TestUnitIds;
    return {
        {"production data", "ProductionData", DefaultIdentifier(defaults.CanId1), ProductionValues},
        {"chassis speed", "ChassisSpeed", DefaultIdentifier(defaults.ChassisCanId), ChassisValues},
        {"unit 1 motion", "Unit1Motion", test[0], MotionValues(1000.0)},
        {"unit 1 status", "Unit1Status", test[0] + 1, StatusValues},
        {"unit 2 motion", "Unit2Motion", test[1], MotionValues(100.0)},
        {"unit 2 status", "Unit2Status", test[1] + 1, StatusValues},
        {"unit 3 motion", "Unit3Motion", test[2], MotionValues(100.0)},
        {"unit 3 status", "Unit3Status", test[2] + 1, StatusValues},
    };
}

QList<TCase> ReceivedCases(std::mt19937 &random)
{
    QList<TCase> cases;
    std::uniform_int_distribution<int> byte(0, 255);
    for (const TReceivedKind &kind : ReceivedKinds()) {
        QList<QByteArray> frames(std::cbegin(ExtremeFrames), std::cend(ExtremeFrames));
        for (int i = 0; i < RandomFramesPerKind; ++i) {
            QByteArray data(8, '\0');
            for (char &b : data)
                b = char(byte(random));
            frames << data;
        }
        for (const QByteArray &data : frames) {
            const TPCANMsg message = Extended(kind.Id, data);
            cases << TCase{kind.Name, {0, message, false}, kind.Message, kind.Decode(message), {}};
        }
    }
    return cases;
}

// The speed frames the program sends: the DBC reads the whole km/h it was given.
QList<TCase> SpeedFrameCases(std::mt19937 &random)
{
    QList<double> speeds = {0.0, 0.5, 1.0, 254.99, 255.0, 255.999};
    std::uniform_real_distribution<double> speed(0.0, 256.0);
    for (int i = 0; i < RandomFramesPerKind; ++i)
        speeds << speed(random);
    QList<TCase> cases;
    const QString chassisId = TAcquisitionState().ChassisCanId;
    for (const double kmh : speeds) {
        const TPCANMsg message = SpeedFrame(chassisId, kmh).value_or(TPCANMsg());
        cases << TCase{"speed frame",
                       {0, message, true},
                       "ChassisSpeed",
                       {{"VehicleSpeed", std::trunc(kmh)}},
                       {}};
    }
    return cases;
}

QList<TCase> CalibrationCases()
{
    // The captions of the buttons that send them.
    const std::pair<TCalibrationRequest, QString> requests[] = {
        {crReset, "Reset"}, {crFactorySettings, "Factory settings"}, {crCalibrate, "Calibrate"}};
    QList<TCase> cases;
    for (const auto &[code, caption] : requests)
        cases << TCase{"calibration request",
                       {0, CalibrationRequestFrame(code), true},
                       "CalibrationRequest",
                       {{"Request", code}},
                       {{"Request", caption}}};
    return cases;
}

QString Mismatch(const TCase &c, const QString &what)
{
    return QString::fromLatin1(Candump::Line(c.Frame)) + QLatin1String(": ") + what;
}

QStringList Mismatches(const TCase &c, const QJsonObject &decoded)
{
    const QString message = decoded.value("message").toString();
    if (message != c.Message)
        return {Mismatch(c, "message " + message + ", not " + c.Message)};
    const QJsonObject values = decoded.value("values").toObject();
    if (values.keys() != c.Values.keys())
        return {Mismatch(c, "signals " + values.keys().join(',') + ", not "
                                + QStringList(c.Values.keys()).join(','))};
    QStringList found;
    for (auto [name, expected] : c.Values.asKeyValueRange()) {
        const QString text = values.value(name).toString();
        bool isNumber = false;
        const double value = text.toDouble(&isNumber);
        if (!isNumber || !(std::abs(value - expected) <= Tolerance))
            found << Mismatch(c, QStringLiteral("%1 %2, the program %3")
                                     .arg(name, text, QString::number(expected, 'g', 10)));
    }
    TLabels labels;
    const QJsonObject decodedLabels = decoded.value("labels").toObject();
    for (auto it = decodedLabels.begin(); it != decodedLabels.end(); ++it)
        labels.insert(it.key(), it.value().toString());
    if (labels != c.Labels)
        found << Mismatch(c, "value texts " + QStringList(labels.values()).join(','));
    return found;
}

}  // namespace

class tst_DbcFile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void decodesAsTheProgram_data();
    void decodesAsTheProgram();

private:
    QList<TCase> m_cases;
    QList<QJsonObject> m_decoded;  // one a case, in the same order
};

// All frames go through one run of the decoder: loading canmatrix takes most of a second.
void tst_DbcFile::initTestCase()
{
    std::mt19937 random(20261209);
    m_cases = ReceivedCases(random) + SpeedFrameCases(random) + CalibrationCases();
    QByteArray trace;
    qint64 timeUs = 1733660000000000;
    for (TCase &c : m_cases) {
        c.Frame.TimeUs = timeUs += 1000;
        trace += Candump::Line(c.Frame) + '\n';
    }

    QProcess decoder;
    decoder.start(QStringLiteral("/usr/bin/python3"),
                  {QStringLiteral(TELQAR_DBC_DECODER), QStringLiteral(TELQAR_DBC_PATH)});
    QVERIFY2(decoder.waitForStarted(), "/usr/bin/python3 does not start");
    decoder.write(trace);
    decoder.closeWriteChannel();
    QVERIFY(decoder.waitForFinished(240000));
    const QByteArray errors = decoder.readAllStandardError();
    QVERIFY2(decoder.exitStatus() == QProcess::NormalExit && decoder.exitCode() == 0,
             ("the DBC decoder failed (it needs python3-can and python3-canmatrix):\n" + errors)
                 .constData());

    const QList<QByteArray> lines = decoder.readAllStandardOutput().trimmed().split('\n');
    for (const QByteArray &line : lines)
        m_decoded << QJsonDocument::fromJson(line).object();
    QCOMPARE(m_decoded.size(), m_cases.size());
}

void tst_DbcFile::decodesAsTheProgram_data()
{
    QTest::addColumn<QString>("kind");
    for (const TReceivedKind &kind : ReceivedKinds())
        QTest::newRow(kind.Name) << QString::fromLatin1(kind.Name);
    QTest::newRow("speed frame") << QStringLiteral("speed frame");
    QTest::newRow("calibration request") << QStringLiteral("calibration request");
}

void tst_DbcFile::decodesAsTheProgram()
{
    QFETCH(QString, kind);
    int frames = 0;
    QStringList mismatches;
    for (qsizetype i = 0; i < m_cases.size(); ++i) {
        if (m_cases[i].Kind != kind)
            continue;
        ++frames;
        mismatches << Mismatches(m_cases[i], m_decoded[i]);
    }
    QVERIFY(frames > 0);
    QVERIFY2(mismatches.isEmpty(), qPrintable(QString::number(mismatches.size()) + " wrong, first "
                                              + mismatches.mid(0, 5).join('\n')));
}

QTEST_GUILESS_MAIN(tst_DbcFile)
#include "tst_DbcFile.moc"
