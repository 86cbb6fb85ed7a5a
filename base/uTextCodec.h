#pragma once
// Text files from the units' world: written on Windows in the Windows-1250 code page, or
// saved as UTF-8 by a modern editor.

#include <QByteArray>
#include <QString>
#include <QStringList>

// UTF-8 when the bytes are valid UTF-8 (a byte-order mark is dropped), otherwise
// Windows-1250.
QString DecodeLegacyText(const QByteArray &bytes);

// The lines of a text, whatever ends them: LF, CR LF, a lone CR, or the Unicode line and
// paragraph separators, at all of which a label or text edit would break. A line end at the
// very end leaves an empty last line.
QStringList TextLines(const QString &text);
