// The status-text reader given arbitrary file contents: whatever the file holds, eight
// one-line captions come back, none longer than the file could make it.

#include "base/uTextCodec.h"
#include "display/uStatusCaptions.h"
#include "fuzz/uFuzzRequire.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// Line ends a label would break at.
bool HasLineBreak(const QString &text)
{
    for (const QChar c : text)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray contents =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList captions = StatusCaptionsFromIni(contents);
    Require(captions.size() == 8);
    for (const QString &caption : captions) {
        Require(!HasLineBreak(caption));
        // A caption is a piece of one line of the file, or a key's own name.
        Require(caption.size() <= std::max<qsizetype>(contents.size(), 7));
    }

    // Without a section of that name there is nothing to read but the defaults.
    if (!DecodeLegacyText(contents).contains(QLatin1String("opisy"), Qt::CaseInsensitive)) {
        for (int n = 0; n < 8; ++n)
            Require(captions[n] == QStringLiteral("status%1").arg(n + 1));
    }

    // A file saved with Windows line ends says the same as with Unix ones.
    QByteArray windows = contents;
    windows.replace("\n", "\r\n");
    Require(StatusCaptionsFromIni(windows) == captions);
    return 0;
}
