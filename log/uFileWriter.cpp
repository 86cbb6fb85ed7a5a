#include "log/uFileWriter.h"

#include "log/uFileOnDisk.h"

#include <QFileDevice>

#include <algorithm>

TFileWriter::TFileWriter(QIODevice &device, const QFileDevice *file)
    : m_device(device), m_file(file), m_writeThread([this] { WriteLoop(); }),
      m_forceThread([this] { ForceLoop(); })
{
}

TFileWriter::~TFileWriter()
{
    QString ignored;
    Finish(false, &ignored);
}

void TFileWriter::Write(QByteArray bytes)
{
    if (bytes.isEmpty())
        return;
    {
        const std::lock_guard lock(m_mutex);
        if (m_failure != TFailure::None || m_ending)
            return;
        if (m_waitingBytes + bytes.size() > MostWaiting) {
            m_failure = TFailure::Behind;
            m_systemMessage = QStringLiteral("the disk does not keep up: %1 MiB wait for it")
                                  .arg(m_waitingBytes >> 20);
            return;
        }
        m_waitingBytes += bytes.size();
        m_handedOver += bytes.size();
        m_waiting.push_back(std::move(bytes));
    }
    m_wake.notify_all();
}

void TFileWriter::Force()
{
    {
        const std::lock_guard lock(m_mutex);
        m_forceAfter = m_handedOver;
    }
    m_wake.notify_all();
}

qint64 TFileWriter::Written() const
{
    const std::lock_guard lock(m_mutex);
    return m_written;
}

TFileWriter::TFailure TFileWriter::Failure(QString *systemMessage) const
{
    const std::lock_guard lock(m_mutex);
    *systemMessage = m_systemMessage;
    return m_failure;
}

TFileWriter::TFailure TFileWriter::Finish(bool force, QString *systemMessage)
{
    if (!m_writeThread.joinable())
        return Failure(systemMessage);
    {
        std::unique_lock lock(m_mutex);
        if (force)
            m_forceAfter = m_handedOver;
        m_wake.notify_all();
        // Written, and forced when asked, unless a failure ends the waiting.
        m_done.wait(lock, [this] {
            const bool written = (m_waiting.empty() && !m_writing);
            const bool forced = m_forceAfter < 0 && !m_forcing;
            return m_failure != TFailure::None || (written && forced);
        });
        m_ending = true;
    }
    m_wake.notify_all();
    m_writeThread.join();
    m_forceThread.join();
    return Failure(systemMessage);
}

void TFileWriter::Fail(TFailure failure, const QString &systemMessage)
{
    const std::lock_guard lock(m_mutex);
    if (m_failure != TFailure::None)
        return;
    m_failure = failure;
    m_systemMessage = systemMessage;
    m_waiting.clear();
    m_waitingBytes = 0;
}

void TFileWriter::WriteLoop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_ending || !m_waiting.empty(); });
        if (m_waiting.empty())
            return;  // ending
        std::deque<QByteArray> batch;
        batch.swap(m_waiting);
        m_writing = true;
        lock.unlock();
        qsizetype taken = 0;
        qint64 written = 0;
        for (const QByteArray &bytes : batch) {
            taken += bytes.size();
            for (qsizetype at = 0; at < bytes.size() && written >= 0;) {
                const qint64 count = m_device.write(bytes.constData() + at, bytes.size() - at);
                if (count <= 0) {
                    Fail(TFailure::Write, m_device.errorString());
                    written = -1;
                } else {
                    at += count;
                    written += count;
                }
            }
        }
        lock.lock();
        m_writing = false;
        m_waitingBytes = m_failure == TFailure::None ? m_waitingBytes - taken : 0;
        m_written += std::max<qint64>(written, 0);
        m_wake.notify_all();  // the force thread may wait for these bytes
        m_done.notify_all();
    }
}

void TFileWriter::ForceLoop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] {
            return m_ending || (m_forceAfter >= 0 && m_written >= m_forceAfter)
                   || m_failure != TFailure::None;
        });
        if (m_ending)
            return;
        if (m_failure != TFailure::None) {
            // Nothing more will be written: no force is waited for.
            m_forceAfter = -1;
            m_done.notify_all();
            m_wake.wait(lock, [this] { return m_ending; });
            return;
        }
        m_forceAfter = -1;
        m_forcing = true;
        lock.unlock();
        QString systemMessage;
        const bool forced = !m_file || ForceToDisk(*m_file, &systemMessage);
        if (!forced)
            Fail(TFailure::Force, systemMessage);
        lock.lock();
        m_forcing = false;
        m_done.notify_all();
    }
}
