#pragma once
// A choice made from a locale (a separator, a format), kept for the locale it was last made
// for: readouts and the log ask for it with every number, hundreds of thousands of times a
// second, and the locale hardly ever changes.

#include <QLocale>

// Choose(locale), made again only when the locale differs from the last one asked about. The
// reference stays valid until the next call with another locale.
template <typename Value, Value (*Choose)(const QLocale &)>
const Value &ChosenFor(const QLocale &locale)
{
    thread_local QLocale last = QLocale::c();
    thread_local Value value = Choose(last);
    if (!(locale == last)) {
        last = locale;
        value = Choose(locale);
    }
    return value;
}
