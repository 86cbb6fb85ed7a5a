#pragma once
// The fields of a comma-separated text line as the NMEA handler reads them.

#include <QStringList>
#include <QStringView>

// Fields are separated by commas; an empty field between two commas is an empty string and a
// comma at the very end adds a final empty field. A space or control character (codes 1 to
// 32) also ends a field and is skipped, as are such characters at the start. A field that
// begins with a double quote runs to the closing quote ("" inside it is one quote) or to the
// end of the text. At most text.size() + 1 fields.
QStringList SplitCommaText(QStringView text);
