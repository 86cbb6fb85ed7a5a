#include "app/uChangeLogText.h"

#include "base/uTextCodec.h"
#include "base/uTextFile.h"

#include <QStringList>

namespace {

// The plain text edit takes these two noncharacters for frame bounds and starts a new line
// at them, past the line limit.
bool IsTextEditFrameMark(QChar c)
{
    return c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1;
}

}  // namespace

QString ChangeLogFallbackText()
{
    return QStringLiteral("\n---\n\nFile '%1' not present in current folder\n\n---")
        .arg(QLatin1String(ChangeLogFileName));
}

QString ChangeLogTextFrom(const QByteArray &bytes)
{
    QStringList lines = TextLines(DecodeLegacyText(bytes));
    // The last line's end does not start another, empty line.
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    if (lines.size() > ChangeLogMaxLines)
        lines.resize(ChangeLogMaxLines);
    for (QString &line : lines) {
        line.truncate(ChangeLogMaxLineChars);
        for (QChar &c : line)
            if ((c.category() == QChar::Other_Control && c != QLatin1Char('\t'))
                || IsTextEditFrameMark(c))
                c = QChar::ReplacementCharacter;
    }
    return lines.join(QLatin1Char('\n'));
}

QString ReloadChangeLog(const QString &path, const QString &shown)
{
    const std::optional<QByteArray> bytes = ReadTextFileHead(path, ChangeLogMaxBytes);
    return bytes ? ChangeLogTextFrom(*bytes) : shown;
}
