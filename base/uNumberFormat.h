#pragma once
// Numbers as the program shows and logs them: fixed-point with a set number of decimals, Latin
// digits and a hyphen-minus in every locale, never a group separator, and the decimal separator
// of the user's locale: "1213,71" on a Polish locale, "1213٫71" on an Egyptian one, never
// "1 213,71" or "١٢١٣٫٧١", so that readouts and the log show the same digits.

#include <QLocale>
#include <QString>

QString FormatFixed(double value, int decimals, const QLocale &locale = QLocale());

// The same with a decimal separator of the caller's choosing, for texts that cannot carry the
// locale's own.
QString FormatFixedWithSeparator(double value, int decimals, const QString &separator);
// The same at the end of text: the log's records take several numbers each, hundreds of
// thousands of records a second when a trace is converted.
void AppendFixed(QString &text, double value, int decimals, const QString &separator);
