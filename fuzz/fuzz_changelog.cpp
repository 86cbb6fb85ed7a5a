// The changelog reader given arbitrary file contents: what reaches the text edit stays within
// the line limits and holds nothing that the edit would take for a line end or a control.

#include "app/uChangeLogText.h"
#include "fuzz/uFuzzRequire.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {

// Besides '\n', the plain text edit starts a new line at these: '\r', the Unicode line and
// paragraph separators, and the two noncharacters it uses internally for frames.
bool StartsLineInTextEdit(char16_t u)
{
    return u == u'\r' || u == 0x2028 || u == 0x2029 || u == 0xFDD0 || u == 0xFDD1;
}

bool IsControl(char16_t u)
{
    return (u < 0x20 && u != u'\t' && u != u'\n') || (u >= 0x7F && u <= 0x9F);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = ChangeLogTextFrom(bytes);

    const QStringList lines = text.split(QLatin1Char('\n'));
    Require(lines.size() <= ChangeLogMaxLines);
    for (const QString &line : lines)
        Require(line.size() <= ChangeLogMaxLineChars);
    for (const QChar c : text)
        Require(!StartsLineInTextEdit(c.unicode()) && !IsControl(c.unicode()));

    // A file saved with Windows line ends shows the same text as with Unix ones.
    if (!bytes.contains('\r')) {
        QByteArray windows = bytes;
        windows.replace("\n", "\r\n");
        Require(ChangeLogTextFrom(windows) == text);
    }
    return 0;
}
