#pragma once
// What an identifier text must read as, worked out apart from the program's own reading so
// that the two can be compared: ASCII hexadecimal digits only (no digits of other scripts),
// at most eight of them after any leading zeros.

#include <QString>
#include <QStringView>

#include <optional>

inline std::optional<quint32> ExpectedIdentifierValue(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')))
            return std::nullopt;
    }
    QStringView significant(text);
    while (significant.startsWith(QLatin1Char('0')))
        significant = significant.mid(1);
    if (significant.size() > 8)
        return std::nullopt;
    return significant.isEmpty() ? 0u : significant.toUInt(nullptr, 16);
}
