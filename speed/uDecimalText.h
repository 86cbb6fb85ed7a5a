#pragma once
// Numbers in text from the serial speed sources, whose writers use either decimal mark.

#include <QLocale>
#include <QString>

#include <optional>

// Every "," and then every "." becomes the locale's decimal separator, so "010.2" and
// "010,2" both read as 10.2 whatever the locale.
QString FixDecimalSeparator(const QString &text, const QLocale &locale = QLocale());

// The text as a number after FixDecimalSeparator; none when it is empty, not a number in the
// locale's format (group separators included) or not finite.
std::optional<double> ReadDecimal(const QString &text, const QLocale &locale = QLocale());
