#include "report/uDriveLog.h"

#include "base/uTextCodec.h"
#include "log/uLogFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <type_traits>

namespace {

constexpr int Hour = 3600;
constexpr int Day = 24 * Hour;

// A record's fields up to unit 1's last, in the writer's order; each further unit adds six.
enum TField { fLp, fTime, fSpeed, fAngularVelocity, fTiltX, fTiltY, fAccX, fAccY, fStatus, fLtr };
constexpr int UnitOneFields = fLtr + 1;
constexpr int FieldsOfUnit = 6;
constexpr int LtrDecimals = 3;  // as the writer gives an LTR

struct TNumberField {
    TField Field;
    double TDriveRecord::*Value;
};
constexpr TNumberField NumberFields[] = {
    {fSpeed, &TDriveRecord::Speed}, {fTiltX, &TDriveRecord::TiltX}, {fTiltY, &TDriveRecord::TiltY},
    {fAccX, &TDriveRecord::AccX},   {fAccY, &TDriveRecord::AccY},   {fLtr, &TDriveRecord::Ltr}};

// The head's texts as the writer makes them, in the log's code page, for comparing bytes.
struct THeadTexts {
    QByteArray DateName;                                // "Data wykonania badań;"
    QByteArray FirmwareName;                            // "Firmware;"
    std::array<std::pair<QByteArray, int>, 4> Columns;  // each column line and its units
    QStringList ColumnNames;                            // unit 1's, for messages
    QString DateNameText;
};

QString UpToSeparator(const QString &line)
{
    return line.left(line.indexOf(QLatin1Char(';')) + 1);
}

THeadTexts MakeHeadTexts()
{
    QStringEncoder windows1250("windows-1250");
    const auto encoded = [&](const QString &text) { return QByteArray(windows1250.encode(text)); };
    THeadTexts texts;
    const QStringList one = LogHead(QDate(), QString(), {}, QLocale::c());
    texts.DateNameText = UpToSeparator(one[0]);
    texts.DateName = encoded(texts.DateNameText);
    texts.FirmwareName = encoded(UpToSeparator(one[2]));
    texts.ColumnNames = one[4].split(QLatin1Char(';'));
    const TLogUnits units[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    for (size_t i = 0; i < texts.Columns.size(); ++i)
        texts.Columns[i] = {encoded(LogHead(QDate(), QString(), units[i], QLocale::c())[4]),
                            1 + units[i].Unit2 + units[i].Unit3};
    return texts;
}

const THeadTexts &HeadTexts()
{
    static const THeadTexts texts = MakeHeadTexts();
    return texts;
}

QString Text(QByteArrayView bytes)
{
    return DecodeLegacyText(bytes.toByteArray());
}

// The lines of a text one after another, without their line ends (LF or CR LF).
class TLines
{
public:
    explicit TLines(QByteArrayView bytes) : m_rest(bytes) {}

    // False past the last line. Number() counts the lines asked for, so that past the last it
    // names the one missing.
    bool Next(QByteArrayView *line)
    {
        ++m_number;
        if (m_rest.isEmpty())
            return false;
        const auto *end =
            static_cast<const char *>(std::memchr(m_rest.data(), '\n', m_rest.size()));
        const qsizetype length = end ? end - m_rest.data() : m_rest.size();
        *line = m_rest.first(length);
        m_rest = m_rest.sliced(std::min(length + 1, m_rest.size()));
        if (line->endsWith('\r'))
            line->chop(1);
        return true;
    }
    qsizetype Number() const { return m_number; }
    QByteArrayView Rest() const { return m_rest; }

private:
    QByteArrayView m_rest;
    qsizetype m_number = 0;
};

// The first fields of a line, and how many fields it has.
qsizetype SplitFields(QByteArrayView line, std::span<QByteArrayView> first)
{
    const char *begin = line.data();
    const char *const end = begin + line.size();
    for (qsizetype count = 1;; ++count) {
        const auto *separator = static_cast<const char *>(std::memchr(begin, ';', end - begin));
        const char *fieldEnd = separator ? separator : end;
        if (count <= qsizetype(first.size()))
            first[count - 1] = QByteArrayView(begin, fieldEnd - begin);
        if (!separator)
            return count;
        begin = separator + 1;
    }
}

bool IsDigit(char32_t c)
{
    return c >= '0' && c <= '9';
}

// A number as the records write it: an optional minus, digits, and the decimal separator ("."
// or ",") with more digits. Nothing for any other text, or for more than 15 digits: up to there
// the digits and the power of ten are exact doubles, and their quotient the nearest to the
// decimal, whichever separator it had.
std::optional<double> FixedNumber(QByteArrayView text)
{
    static constexpr double Scale[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr int MaxDigits = 15;
    const bool negative = text.startsWith('-');
    quint64 digits = 0;
    int count = 0;
    int decimals = -1;  // none before the separator
    for (const char c : text.sliced(negative ? 1 : 0)) {
        if (IsDigit(c)) {
            if (++count > MaxDigits)
                return std::nullopt;
            digits = digits * 10 + quint64(c - '0');
            decimals += decimals >= 0 ? 1 : 0;
        } else if ((c == '.' || c == ',') && decimals < 0 && count > 0) {
            decimals = 0;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0 || decimals == 0)
        return std::nullopt;
    const double value = double(digits) / Scale[std::max(decimals, 0)];
    return negative ? -value : value;
}

bool IsRecordNumber(QByteArrayView text)
{
    return !text.isEmpty() && text.size() <= 10 && std::all_of(text.begin(), text.end(), IsDigit);
}

bool IsStatus(QByteArrayView text)
{
    return text.size() == 2 && std::all_of(text.begin(), text.end(), [](char c) {
               return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
           });
}

// Whether the line ends in a number with an LTR's decimals, as every record does.
bool EndsInWholeLtr(QByteArrayView line)
{
    qsizetype digits = 0;
    while (digits < line.size() && IsDigit(line[line.size() - 1 - digits]))
        ++digits;
    const qsizetype separator = line.size() - 1 - digits;
    return digits == LtrDecimals && separator >= 0
           && (line[separator] == '.' || line[separator] == ',');
}

// Hours, minutes and seconds are the first three runs of digits. An "AM" or "PM" in any case,
// with dots or not, makes them 12-hour ones where they are the only letters; beside other
// letters, or text outside ASCII, the hours are read as written.
template <typename Char>
std::optional<int> ClockOf(const Char *text, qsizetype size)
{
    using TUnit = std::make_unsigned_t<Char>;
    std::array<int, 3> parts{};
    int runs = 0;
    std::array<char, 2> marker{};
    int letters = 0;
    for (qsizetype i = 0; i < size;) {
        const char32_t c = TUnit(text[i]);
        if (IsDigit(c)) {
            const qsizetype from = i;
            int value = 0;
            for (; i < size && IsDigit(TUnit(text[i])); ++i)
                value = i - from < 2 ? value * 10 + int(TUnit(text[i]) - '0') : value;
            if (runs < 3) {
                if (i - from > 2)
                    return std::nullopt;
                parts[runs++] = value;
            }
            continue;
        }
        const char32_t lower = c | 0x20;
        if (lower >= 'a' && lower <= 'z') {
            if (letters < 2)
                marker[letters] = char(lower);
            ++letters;
        } else if (c >= 0x80 && c != 0xA0 && c != 0x202F) {  // beyond ASCII, but for the spaces
            letters = 3;
        }
        ++i;
    }
    if (runs < 3)
        return std::nullopt;
    auto [hour, minute, second] = parts;
    const bool am = marker[0] == 'a', pm = marker[0] == 'p';
    if (letters == 2 && marker[1] == 'm' && (am || pm) && hour >= 1 && hour <= 12)
        hour = hour % 12 + (pm ? 12 : 0);
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return (hour * 60 + minute) * 60 + second;
}

// One pass over a log's bytes: its heads and records, and the records' places on the time
// axis.
class TLogReading
{
public:
    explicit TLogReading(QByteArrayView bytes) : m_lines(bytes) {}
    bool Read(TDriveLog *log, QString *error);

private:
    bool ReadHead(QByteArrayView first, QString *problem);
    bool ReadRecord(QByteArrayView line, TDriveRecord *record, QString *problem);
    bool MayBeCut() const;
    void Add(const TDriveRecord &record);
    void SpreadSecond();
    void ReserveRecords();
    bool Fail(const QString &problem, QString *error) const;

    TLines m_lines;
    TDriveLog m_log;
    int m_fields = UnitOneFields;
    // The time of the record read last and its clock: a time's text changes once a second.
    QByteArrayView m_timeText;
    int m_clock = 0;
    std::optional<TClockAxis> m_axis;
    int m_placedClock = 0;  // the clock of the last record added
    QByteArrayView m_lastTime;
    // The second of the axis whose records come in, and the first of them.
    int m_second = 0;
    qsizetype m_secondStart = 0;
};

bool TLogReading::Read(TDriveLog *log, QString *error)
{
    const THeadTexts &texts = HeadTexts();
    QByteArrayView line;
    QString problem;
    if (!m_lines.Next(&line) || !line.startsWith(texts.DateName))
        return Fail(QStringLiteral("not a measurement log (it should begin with \"%1\")")
                        .arg(texts.DateNameText),
                    error);
    if (!ReadHead(line, &problem))
        return Fail(problem, error);
    ReserveRecords();
    while (m_lines.Next(&line)) {
        if (line.isEmpty())
            continue;
        // A head begins each log appended to the file.
        const bool head = line.startsWith(texts.DateName);
        TDriveRecord record;
        const bool read = head ? ReadHead(line, &problem) : ReadRecord(line, &record, &problem);
        // A record cut within its last number still has all its fields.
        const bool whole = read && (head || EndsInWholeLtr(line));
        if (!whole && MayBeCut()) {
            m_log.LastLineCut = true;
            continue;
        }
        if (!read)
            return Fail(problem, error);
        if (!head)
            Add(record);
    }
    SpreadSecond();
    m_log.EndTime = Text(m_lastTime);
    *log = std::move(m_log);
    return true;
}

// The head's lines after its first: the first head gives the log's date, firmware and units,
// a later one the fields of the records after it.
bool TLogReading::ReadHead(QByteArrayView first, QString *problem)
{
    const THeadTexts &texts = HeadTexts();
    QByteArrayView line, firmware;
    const auto expect = [&](bool found, const QString &what) {
        if (!found)
            *problem = QStringLiteral("the head should go on with %1").arg(what);
        return found;
    };
    const QString emptyLine = QStringLiteral("an empty line");
    if (!expect(m_lines.Next(&line) && line.isEmpty(), emptyLine)
        || !expect(m_lines.Next(&firmware) && firmware.startsWith(texts.FirmwareName),
                   QLatin1Char('"') + Text(texts.FirmwareName) + QLatin1Char('"'))
        || !expect(m_lines.Next(&line) && line.isEmpty(), emptyLine))
        return false;
    const bool read = m_lines.Next(&line);
    const auto known = std::find_if(texts.Columns.begin(), texts.Columns.end(),
                                    [&](const auto &columns) { return columns.first == line; });
    if (!expect(read && known != texts.Columns.end(),
                QStringLiteral("the column line \"%1\", with the columns of units 2 and 3 or "
                               "without")
                    .arg(texts.ColumnNames.join(QLatin1Char(';')))))
        return false;
    m_fields = UnitOneFields + (known->second - 1) * FieldsOfUnit;
    if (m_log.Heads++ == 0) {
        m_log.Date = Text(first.sliced(texts.DateName.size()));
        m_log.Firmware = Text(firmware.sliced(texts.FirmwareName.size()));
        m_log.Units = known->second;
    }
    return true;
}

bool TLogReading::ReadRecord(QByteArrayView line, TDriveRecord *record, QString *problem)
{
    std::array<QByteArrayView, UnitOneFields> field;
    const qsizetype count = SplitFields(line, field);
    if (count != m_fields) {
        *problem = QStringLiteral("a record needs %1 fields, found %2").arg(m_fields).arg(count);
        return false;
    }
    const auto wrong = [&](TField index, const char *what) {
        *problem = QStringLiteral("%1 should be %2")
                       .arg(HeadTexts().ColumnNames.value(index), QLatin1String(what));
        return false;
    };
    if (!IsRecordNumber(field[fLp]))
        return wrong(fLp, "a record number");
    if (field[fTime] != m_timeText) {
        const std::optional<int> parsed = ClockOf(field[fTime].data(), field[fTime].size());
        if (!parsed)
            return wrong(fTime, "a time");
        m_timeText = field[fTime];
        m_clock = *parsed;
    }
    if (!FixedNumber(field[fAngularVelocity]))
        return wrong(fAngularVelocity, "a number");
    for (const TNumberField &number : NumberFields) {
        const std::optional<double> value = FixedNumber(field[number.Field]);
        if (!value)
            return wrong(number.Field, "a number");
        record->*number.Value = *value;
    }
    if (!IsStatus(field[fStatus]))
        return wrong(fStatus, "two hexadecimal digits");
    return true;
}

// Whether the line read last may have been cut off: the last of the file, or the last of a log
// another was appended to (the writer ends a cut line before it appends).
bool TLogReading::MayBeCut() const
{
    TLines ahead = m_lines;
    QByteArrayView line;
    while (ahead.Next(&line)) {
        if (!line.isEmpty())
            return line.startsWith(HeadTexts().DateName);
    }
    return true;
}

// The record read last, on the second of its clock time.
void TLogReading::Add(const TDriveRecord &record)
{
    if (!m_axis) {
        m_axis.emplace(m_clock);
        m_axis->Place(m_clock);  // 0, the second the first records come in
        m_placedClock = m_clock;
        m_log.StartClock = m_clock;
        m_log.StartTime = Text(m_timeText);
    } else if (m_clock != m_placedClock) {
        m_placedClock = m_clock;
        const int second = m_axis->Place(m_clock);
        if (second != m_second) {
            SpreadSecond();
            m_second = second;
        }
    }
    m_log.Records.append(record);
    m_lastTime = m_timeText;
}

// The records of the second gone by, evenly over it: the k-th of n at k/n.
void TLogReading::SpreadSecond()
{
    TDriveRecord *records = m_log.Records.data();
    const qsizetype count = m_log.Records.size() - m_secondStart;
    for (qsizetype k = 0; k < count; ++k)
        records[m_secondStart + k].Seconds = m_second + double(k) / double(count);
    m_secondStart = m_log.Records.size();
}

// As many as there are lines, but no more than lines of the head's fields fit in: a file of
// line ends alone reserves nothing.
void TLogReading::ReserveRecords()
{
    const QByteArrayView rest = m_lines.Rest();
    const qsizetype lines = std::count(rest.begin(), rest.end(), '\n') + 1;
    m_log.Records.reserve(std::min(lines, rest.size() / (2 * m_fields) + 1));
}

bool TLogReading::Fail(const QString &problem, QString *error) const
{
    *error = QStringLiteral("line %1: %2").arg(m_lines.Number()).arg(problem);
    return false;
}

}  // namespace

bool ReadDriveLog(const QByteArray &bytes, TDriveLog *log, QString *error)
{
    return TLogReading(bytes).Read(log, error);
}

bool BeginsAsLog(QByteArrayView start)
{
    return start.startsWith(HeadTexts().DateName);
}

bool ReadDriveLogFile(const QString &path, TDriveLog *log, QString *error)
{
    const QString name = QDir::toNativeSeparators(path);
    // Opening a named pipe for reading waits for a writer; only regular files are read.
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("Cannot read the log %1: there is no such file").arg(name);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot open the log %1: %2").arg(name, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("Cannot read the log %1: %2").arg(name, file.errorString());
        return false;
    }
    return ReadDriveLog(bytes, log, error);
}

std::optional<double> ClockSeconds(QStringView time)
{
    return ClockOf(time.utf16(), time.size());
}

int TClockAxis::Place(int clock)
{
    m_twelveHour = m_twelveHour && clock >= Hour && clock < 13 * Hour;
    const int back = m_last.value_or(0) - (clock + m_offset);
    if (back > 6 * Hour)
        m_offset += m_twelveHour && back <= 12 * Hour ? 12 * Hour : Day;
    else if (m_last && back > 0)
        m_offset += back;
    m_last = clock + m_offset;
    return *m_last;
}
