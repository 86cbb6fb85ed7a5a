#include "protocol/uIdentifiers.h"

std::optional<quint32> IdentifierValue(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        quint64 digit;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        else
            return std::nullopt;
        value = value << 4 | digit;
        if (value > 0xFFFFFFFFu)  // leading zeros are fine, a 33rd bit is not
            return std::nullopt;
    }
    return quint32(value);
}

bool IdentifiersAcceptable(const TIdentifierFields &f)
{
    if (f.Id2Enabled && (f.Id2 == f.Id1 || !IsValidIdentifier(f.Id2)))
        return false;
    if (f.Id3Enabled && (f.Id3 == f.Id1 || f.Id3 == f.Id2 || !IsValidIdentifier(f.Id3)))
        return false;
    if (f.ChassisEnabled
        && (f.Chassis == f.Id1 || f.Chassis == f.Id2 || f.Chassis == f.Id3
            || !IsValidIdentifier(f.Chassis)))
        return false;
    return true;
}
