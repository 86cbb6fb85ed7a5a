#include "log/uMeasurementLog.h"

#include "log/uFileOnDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVarLengthArray>

namespace {

// Records wait here for the next flush; past this many bytes they go to the writer at once.
constexpr qsizetype MaxPending = 1 << 20;

// What the user is told, one text per kind of failure: what the file is ("the log file",
// "the raw trace"), its name, what failed, and then the system's message where there is one.
namespace Failure {
constexpr const char *Open = "Cannot open %1 %2: %3";
constexpr const char *Write = "Cannot write %1 %2: %3";
constexpr const char *Force = "Cannot save %1 %2 to the disk: %3";
constexpr const char *Close = "Cannot close %1 %2: %3";
constexpr const char *Gone = "%1 %2 is gone: it was deleted, renamed or its folder removed";
}  // namespace Failure

// One pass, so that a "%2" in a file name stays as it is.
QString Message(const char *text, const QString &what, const QString &name,
                const QString &systemMessage = QString())
{
    const QString text16 = QString::fromUtf8(text);
    const QString native = QDir::toNativeSeparators(name);
    QString message =
        systemMessage.isNull() ? text16.arg(what, native) : text16.arg(what, native, systemMessage);
    message[0] = message[0].toUpper();
    return message;
}

// What completes the last line of an existing file: a crash can leave it cut anywhere,
// even between its CR and LF. A file that cannot be read is taken as complete.
QByteArray LineEndMissingFrom(const QString &path, const QByteArray &lineEnd)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0 || !file.seek(file.size() - 1))
        return {};
    const QByteArray last = file.read(1);
    if (last == "\n")
        return {};
    return last == "\r" && lineEnd == "\r\n" ? QByteArray("\n") : lineEnd;
}

// Windows-1250 is ASCII below 0x80, so a record (digits, separators, a time) needs no
// converter: appended byte for byte, or false for a text with other characters.
bool AppendAscii(QByteArray &bytes, QStringView text)
{
    QVarLengthArray<char, 256> ascii(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80)
            return false;
        ascii[i] = char(c);
    }
    bytes.append(ascii.constData(), ascii.size());
    return true;
}

}  // namespace

TMeasurementLog::TMeasurementLog(QByteArrayView lineEnd, const QString &what)
    : m_what(what), m_encoder("windows-1250"), m_lineEnd(lineEnd.toByteArray())
{
}

TMeasurementLog::~TMeasurementLog()
{
    QString ignored;
    Close(&ignored);
}

bool TMeasurementLog::Open(const QString &path, const QStringList &head, QString *error)
{
    // Resolved once: the current folder may change while the log runs, the file does not.
    const QString name = QFileInfo(path).absoluteFilePath();
    auto file = std::make_unique<QFile>(name);
    const bool exists = file->exists();
    const QByteArray lineEnd = exists ? LineEndMissingFrom(name, m_lineEnd) : QByteArray();
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        *error = Message(Failure::Open, m_what, name, file->errorString());
        return false;
    }
    if (OpenOn(std::move(file), name, !exists, head, error)) {
        m_pending = lineEnd;  // the appended part starts on a line of its own
        return true;
    }
    // A Start that failed must not leave an empty log behind; a log being appended to keeps
    // everything it had.
    if (!exists)
        QFile::remove(name);
    return false;
}

bool TMeasurementLog::OpenOn(std::unique_ptr<QIODevice> device, const QString &name, bool writeHead,
                             const QStringList &head, QString *error)
{
    m_writer.reset();
    m_device = std::move(device);
    m_name = name;
    m_pending.clear();
    m_unforced = false;
    m_lastForcedMs.reset();
    if (writeHead) {
        for (const QString &line : head)
            Append(line);
        // The head reaches the file at once, so even a log stopped at once is a valid file.
        if (!WriteHead(error)) {
            QString ignored;
            Close(&ignored);
            return false;
        }
    }
    m_pendingLines = 0;  // the head's
    m_handedOver.clear();
    m_handed = {};
    m_linesWritten = 0;
    m_writer = std::make_unique<TFileWriter>(*m_device, File());
    return true;
}

void TMeasurementLog::Append(const QString &line)
{
    if (!m_device)
        return;
    if (!AppendAscii(m_pending, line))
        m_pending += m_encoder.encode(line);
    EndLine();
}

void TMeasurementLog::AppendBytes(QByteArrayView line)
{
    if (!m_device)
        return;
    m_pending += line;
    EndLine();
}

void TMeasurementLog::EndLine()
{
    m_pending += m_lineEnd;
    ++m_pendingLines;
    // A stalled display tick must not make the records pile up here without bound.
    if (m_pending.size() > MaxPending && m_writer)
        PassToWriter();
}

QFileDevice *TMeasurementLog::File() const
{
    return qobject_cast<QFileDevice *>(m_device.get());
}

void TMeasurementLog::PassToWriter()
{
    if (m_pending.isEmpty())
        return;
    m_handed.Bytes += m_pending.size();
    m_handed.Lines += std::exchange(m_pendingLines, 0);
    m_handedOver.push_back(m_handed);
    m_writer->Write(std::exchange(m_pending, {}));
    m_unforced = true;
    LinesWritten();  // what the writer is past needs no keeping
}

qint64 TMeasurementLog::LinesWritten()
{
    if (!m_writer)
        return m_linesWritten;
    const qint64 written = m_writer->Written();
    while (!m_handedOver.empty() && m_handedOver.front().Bytes <= written) {
        m_linesWritten = m_handedOver.front().Lines;
        m_handedOver.pop_front();
    }
    return m_linesWritten;
}

// Only the head is written here, before the writer starts: a Start on a full disk fails at once.
bool TMeasurementLog::WriteHead(QString *error)
{
    while (!m_pending.isEmpty()) {
        const qint64 written = m_device->write(m_pending);
        if (written <= 0) {
            *error = Message(Failure::Write, m_what, m_name, m_device->errorString());
            return false;
        }
        m_unforced = true;
        m_pending.remove(0, written);
    }
    return true;
}

bool TMeasurementLog::WriterFailed(QString *error) const
{
    QString systemMessage;
    switch (m_writer->Failure(&systemMessage)) {
    case TFileWriter::TFailure::None:
        return false;
    case TFileWriter::TFailure::Force:
        *error = Message(Failure::Force, m_what, m_name, systemMessage);
        return true;
    case TFileWriter::TFailure::Write:
    case TFileWriter::TFailure::Behind:
        *error = Message(Failure::Write, m_what, m_name, systemMessage);
        return true;
    }
    return false;
}

// Records written after the file lost its name would be lost without a word.
bool TMeasurementLog::HandOver(QString *error)
{
    if (const QFileDevice *file = File(); file && !StillUnderItsName(*file)) {
        *error = Message(Failure::Gone, m_what, m_name);
        return false;
    }
    PassToWriter();
    return !WriterFailed(error);
}

bool TMeasurementLog::Flush(qint64 nowMs, QString *error)
{
    if (!m_device)
        return true;
    if (!HandOver(error))
        return false;
    if (!m_lastForcedMs)
        m_lastForcedMs = nowMs;
    if (m_unforced && nowMs - *m_lastForcedMs >= ForceEveryMs) {
        m_lastForcedMs = nowMs;
        m_unforced = false;
        m_writer->Force();
    }
    return true;
}

bool TMeasurementLog::Close(QString *error)
{
    if (!m_device)
        return true;
    QString failure;
    bool closed = true;
    if (m_writer) {
        closed = HandOver(&failure);
        // Whatever failed, the writer's threads end before the device goes.
        QString systemMessage;
        m_writer->Finish(m_unforced, &systemMessage);
        closed = closed && !WriterFailed(&failure);
        LinesWritten();
        m_writer.reset();
    }
    m_device->close();
    if (const QFileDevice *file = File(); closed && file && file->error() != QFileDevice::NoError) {
        failure = Message(Failure::Close, m_what, m_name, file->errorString());
        closed = false;
    }
    m_device.reset();
    m_pending.clear();
    if (!closed)
        *error = failure;
    return closed;
}
