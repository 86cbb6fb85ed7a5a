#include "trace/uReplaySource.h"

#include <QDir>
#include <QFileInfo>

bool TTraceFileSource::Open(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        *error = QStringLiteral("%1 is %2, not a trace file")
                     .arg(QDir::toNativeSeparators(path),
                          info.isDir() ? QStringLiteral("a folder")
                                       : QStringLiteral("a pipe, socket or device"));
        return false;
    }
    return m_reader.Open(path, error);
}

bool TTraceFileSource::Next(TTraceFrame &frame)
{
    while (m_reader.Next(frame)) {
        if (!frame.Sent)
            return true;
    }
    return false;
}

bool THeldFrames::Next(TTraceFrame &frame)
{
    while (m_next < m_frames.size()) {
        frame = m_frames[m_next++];
        if (!frame.Sent)
            return true;
    }
    return false;
}

bool THeldFrames::Resume(const TTracePlace &place)
{
    m_next = size_t(std::clamp<qint64>(place.Offset, 0, qint64(m_frames.size())));
    return true;
}
