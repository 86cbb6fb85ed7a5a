#include "app/uChangeLogText.h"

#include "app/uTextCodec.h"

#include <QFile>

QString ChangeLogFallbackText()
{
    return QStringLiteral("\n---\n\nFile '%1' not present in current folder\n\n---")
        .arg(QLatin1String(ChangeLogFileName));
}

QString ReloadChangeLog(const QString &path, const QString &shown)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return shown;
    QByteArray bytes = file.read(ChangeLogMaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return shown;
    if (bytes.size() > ChangeLogMaxBytes) {
        // Cut at a line end: a cut inside a UTF-8 sequence would turn the whole text into
        // Windows-1250 mojibake.
        bytes.truncate(ChangeLogMaxBytes);
        bytes.truncate(bytes.lastIndexOf('\n') + 1);
    }
    QString text = DecodeLegacyText(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // The last line's end does not start another, empty line.
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}
