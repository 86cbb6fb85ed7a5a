#include "app/uTextCodec.h"

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
