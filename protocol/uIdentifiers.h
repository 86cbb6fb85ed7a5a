#pragma once
// CAN identifiers as the user types them: hexadecimal digits without prefix.

#include <QString>

#include <optional>

// The value of an identifier text: one or more hexadecimal digits and nothing else (no
// blank, sign or prefix), at most FFFFFFFF. Anything else is no identifier.
std::optional<quint32> IdentifierValue(const QString &text);

inline bool IsValidIdentifier(const QString &text)
{
    return IdentifierValue(text).has_value();
}

// The identifier fields of the settings dialog as they stand when it is closed with OK.
struct TIdentifierFields {
    QString Id1, Id2, Id3, Chassis;
    bool Id2Enabled = false, Id3Enabled = false, ChassisEnabled = false;
};

// The dialog may close: every enabled field holds a valid identifier that differs, as typed,
// from the fields before it. The first unit's identifier is not checked.
bool IdentifiersAcceptable(const TIdentifierFields &fields);
