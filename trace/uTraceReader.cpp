#include "trace/uTraceReader.h"

#include "trace/uAscLines.h"
#include "trace/uCandumpLine.h"
#include "trace/uTraceText.h"
#include "trace/uTrcLines.h"

#include <QDir>

#include <cstring>

namespace {

// The lines of the first block the format is told by; enough to pass any tool's head.
constexpr int LinesToTell = 200;

std::unique_ptr<TTraceLines> LinesOf(TTraceFormat format)
{
    switch (format) {
    case TTraceFormat::Asc:
        return std::make_unique<TAscLines>();
    case TTraceFormat::Trc:
        return std::make_unique<TTrcLines>();
    case TTraceFormat::Candump:
        break;
    }
    return std::make_unique<TCandumpLines>();
}

// The format whose rules find the least damage in the first lines, and with that the most
// frames; none when no line that is not blank reads in any format (a text without such lines
// is an empty candump log). whole: the text holds the whole file, so its last line is
// complete.
std::optional<TTraceFormat> TellFormat(QByteArrayView text, bool whole)
{
    std::optional<TTraceFormat> best;
    qsizetype bestDamaged = 0, bestFrames = 0;
    bool blank = true;
    for (const TTraceFormat format :
         {TTraceFormat::Candump, TTraceFormat::Asc, TTraceFormat::Trc}) {
        const std::unique_ptr<TTraceLines> rules = LinesOf(format);
        qsizetype damaged = 0, frames = 0, recognised = 0, lines = 0;
        QByteArrayView rest = text;
        while (!rest.isEmpty() && lines < LinesToTell) {
            const qsizetype end = rest.indexOf('\n');
            if (end < 0 && !whole)
                break;  // cut by the block
            const QByteArrayView line = end < 0 ? rest : rest.first(end);
            rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
            ++lines;
            if (TraceText::Trimmed(line).isEmpty())
                continue;
            blank = false;
            TTraceFrame frame;
            const TLineVerdict verdict = rules->Read(line, frame);
            damaged += verdict == TLineVerdict::Damaged;
            frames += verdict == TLineVerdict::Frame;
            recognised += verdict != TLineVerdict::Damaged;
        }
        if (recognised == 0)
            continue;
        if (!best || damaged < bestDamaged || (damaged == bestDamaged && frames > bestFrames)) {
            best = format;
            bestDamaged = damaged;
            bestFrames = frames;
        }
    }
    return blank ? TTraceFormat::Candump : best;
}

}  // namespace

TTraceReader::TTraceReader() = default;
TTraceReader::~TTraceReader() = default;

bool TTraceReader::Open(const QString &path, QString *error)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot open the trace %1: %2")
                     .arg(QDir::toNativeSeparators(path), m_file.errorString());
        return false;
    }
    m_size = m_file.size();
    m_buffer.resize(BlockSize);
    if (!Fill()) {
        *error = m_error;
        return false;
    }
    // A byte-order mark, as Windows editors put before UTF-8 text.
    if (QByteArrayView(m_buffer.constData(), m_end).startsWith("\xEF\xBB\xBF"))
        m_begin = m_consumed = 3;
    const std::optional<TTraceFormat> format =
        TellFormat(QByteArrayView(m_buffer.constData() + m_begin, m_end - m_begin), m_atEnd);
    if (!format) {
        *error = QStringLiteral("%1 is no trace this program reads: neither a candump log nor a "
                                "Vector ASC or PCAN-View trace")
                     .arg(QDir::toNativeSeparators(path));
        return false;
    }
    m_format = *format;
    m_lines = LinesOf(m_format);
    return true;
}

bool TTraceReader::Next(TTraceFrame &frame)
{
    QByteArrayView line;
    for (;;) {
        const TLine kind = NextLine(line);
        if (kind == TLine::End)
            return false;
        ++m_lineNumber;
        const TLineVerdict verdict =
            kind == TLine::TooLong ? TLineVerdict::Damaged : m_lines->Read(line, frame);
        if (verdict == TLineVerdict::Frame)
            return true;
        if (verdict == TLineVerdict::Damaged)
            CountDamaged();
    }
}

TTracePlace TTraceReader::Place() const
{
    return {m_consumed, m_lineNumber, m_lines ? m_lines->Clone() : nullptr};
}

bool TTraceReader::Resume(const TTracePlace &place)
{
    m_begin = m_end = 0;
    m_inLongLine = false;
    m_atEnd = true;  // until the file is read again
    if (!place.Rules || !m_file.seek(place.Offset)) {
        m_error = QStringLiteral("Cannot read the trace %1 again: %2")
                      .arg(QDir::toNativeSeparators(m_file.fileName()), m_file.errorString());
        return false;
    }
    m_atEnd = false;
    m_consumed = place.Offset;
    m_lineNumber = place.LineNumber;
    m_lines = place.Rules->Clone();
    return true;
}

void TTraceReader::CountDamaged()
{
    ++m_damagedCount;
    if (m_damagedLines.size() < KeptDamagedLines)
        m_damagedLines.append(m_lineNumber);
}

TTraceReader::TLine TTraceReader::NextLine(QByteArrayView &line)
{
    for (;;) {
        const char *start = m_buffer.constData() + m_begin;
        const qsizetype available = m_end - m_begin;
        const auto *newline =
            static_cast<const char *>(std::memchr(start, '\n', size_t(available)));
        if (newline || (m_atEnd && available > 0)) {
            const qsizetype length = newline ? newline - start : available;
            const qsizetype taken = newline ? length + 1 : length;
            m_begin += taken;
            m_consumed += taken;
            if (m_inLongLine) {  // its end; the line was counted when it began
                m_inLongLine = false;
                continue;
            }
            line = QByteArrayView(start, length);
            if (line.endsWith('\r'))
                line.chop(1);
            return TLine::Read;
        }
        if (m_atEnd)
            return TLine::End;
        if (available == BlockSize) {  // a whole block without a line end
            m_consumed += available;
            m_begin = m_end = 0;
            if (!m_inLongLine) {
                m_inLongLine = true;
                return TLine::TooLong;
            }
        }
        if (!Fill())
            return TLine::End;
    }
}

// Moves what is left to the front of the buffer and reads the file after it.
bool TTraceReader::Fill()
{
    const qsizetype left = m_end - m_begin;
    std::memmove(m_buffer.data(), m_buffer.constData() + m_begin, size_t(left));
    m_begin = 0;
    m_end = left;
    const qint64 read = m_file.read(m_buffer.data() + m_end, BlockSize - m_end);
    if (read < 0) {
        m_error = QStringLiteral("Cannot read the trace %1: %2")
                      .arg(QDir::toNativeSeparators(m_file.fileName()), m_file.errorString());
        m_atEnd = true;
        return false;
    }
    m_end += qsizetype(read);
    m_atEnd = read == 0 || m_file.atEnd();
    return true;
}
