// The identifier check given arbitrary UTF-16 text, lone surrogates and digits of other
// scripts included, compared with a reading of its own. The first byte ticks the enabled
// fields of the settings dialog; the text after it holds the four fields, one per line.

#include "fuzz/uFuzzIdentifier.h"
#include "fuzz/uFuzzRequire.h"
#include "protocol/uIdentifiers.h"

#include <QStringList>

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

// Raw UTF-16LE code units: QString::fromUtf16 would repair lone surrogates, which a user's
// paste may well carry.
QString Utf16Units(const std::uint8_t *data, std::size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(data[2 * i] | data[2 * i + 1] << 8));
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t ticks = data[0];
    const QString text = Utf16Units(data + 1, size - 1);

    Require(IdentifierValue(text) == ExpectedIdentifierValue(text));

    QStringList lines = text.split(QLatin1Char('\n'));
    lines.resize(4);
    for (const QString &line : lines)
        Require(IdentifierValue(line) == ExpectedIdentifierValue(line));

    TIdentifierFields fields;
    fields.Id1 = lines[0];
    fields.Id2 = lines[1];
    fields.Id3 = lines[2];
    fields.Chassis = lines[3];
    fields.Id2Enabled = ticks & 1;
    fields.Id3Enabled = ticks & 2;
    fields.ChassisEnabled = ticks & 4;

    // Every enabled field holds an identifier and differs, as typed, from every field before
    // it; the first field is never checked.
    const std::array<bool, 4> enabled{false, fields.Id2Enabled, fields.Id3Enabled,
                                      fields.ChassisEnabled};
    bool acceptable = true;
    for (qsizetype k = 1; k < 4; ++k) {
        if (!enabled[size_t(k)])
            continue;
        acceptable = acceptable && ExpectedIdentifierValue(lines[k]).has_value();
        for (qsizetype before = 0; before < k; ++before)
            acceptable = acceptable && lines[k] != lines[before];
    }
    Require(IdentifiersAcceptable(fields) == acceptable);
    return 0;
}
