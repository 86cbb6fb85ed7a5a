#pragma once
// Numbers as the program shows and logs them: fixed-point with a set number of decimals, the
// decimal separator of the user's locale, never a group separator ("1213,71" on a Polish
// locale, not "1 213,71").

#include <QLocale>
#include <QString>

QString FormatFixed(double value, int decimals, const QLocale &locale = QLocale());
