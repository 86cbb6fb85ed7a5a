#include "base/uTextFile.h"

#include <QFile>
#include <QFileInfo>

std::optional<QByteArray> ReadTextFileHead(const QString &path, qint64 maxBytes)
{
    // Opening a named pipe for reading waits for a writer; only regular files are opened.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    if (bytes.size() > maxBytes) {
        const qsizetype lineEnd = bytes.lastIndexOf('\n', maxBytes - 1);
        if (lineEnd < 0)
            return std::nullopt;
        bytes.truncate(lineEnd + 1);
    }
    return bytes;
}
