#include "base/uTextCodec.h"

#include <QStringDecoder>

QString DecodeLegacyText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows1250("windows-1250");
    if (!windows1250.isValid())  // a Qt without ICU: keep the ASCII part readable at least
        return QString::fromLatin1(bytes);
    return windows1250.decode(bytes);
}

QStringList TextLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r') && c != QChar::LineSeparator
            && c != QChar::ParagraphSeparator)
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    lines << text.mid(start);
    return lines;
}
