#pragma once
// Text files from the units' world: written on Windows in the Windows-1250 code page, or
// saved as UTF-8 by a modern editor.

#include <QByteArray>
#include <QString>

// UTF-8 when the bytes are valid UTF-8 (a byte-order mark is dropped), otherwise
// Windows-1250.
QString DecodeLegacyText(const QByteArray &bytes);
