#include "display/uStatusCaptions.h"

#include "base/uTextCodec.h"
#include "base/uTextFile.h"

namespace {

constexpr qint64 MaxFileSize = 1 << 20;

// As the Windows profile functions do, one pair of quotes around a value is not part of it.
QString WithoutSurroundingQuotes(const QString &value)
{
    if (value.size() >= 2
        && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
        && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

QStringList DefaultCaptions()
{
    QStringList captions;
    for (int n = 1; n <= 8; ++n)
        captions << QStringLiteral("status%1").arg(n);
    return captions;
}

}  // namespace

QStringList StatusCaptionsFromIni(const QByteArray &contents)
{
    const QStringList defaults = DefaultCaptions();
    QStringList captions = defaults;
    QList<bool> found(8, false);
    bool inSection = false;
    for (QString line : TextLines(DecodeLegacyText(contents))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype end = line.indexOf(QLatin1Char(']'));
            inSection = end > 0
                        && line.mid(1, end - 1)
                                   .trimmed()
                                   .compare(QLatin1String("opisy"), Qt::CaseInsensitive)
                               == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inSection || equals <= 0 || line.startsWith(QLatin1Char(';')))
            continue;
        const QString key = line.left(equals).trimmed();
        for (int n = 0; n < 8; ++n) {
            // The first value of a key counts, as with the Windows profile functions.
            if (!found[n] && key.compare(defaults[n], Qt::CaseInsensitive) == 0) {
                captions[n] = WithoutSurroundingQuotes(line.mid(equals + 1).trimmed());
                found[n] = true;
            }
        }
    }
    return captions;
}

QStringList LoadStatusCaptions(const QString &path)
{
    const std::optional<QByteArray> contents = ReadTextFileHead(path, MaxFileSize);
    return contents ? StatusCaptionsFromIni(*contents) : DefaultCaptions();
}
