#include "speed/uCommaText.h"

namespace {

bool IsBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

}  // namespace

QStringList SplitCommaText(QStringView text)
{
    constexpr QChar Delimiter = u',';
    constexpr QChar Quote = u'"';
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && IsBlank(text[i]))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QString field;
        if (text[i] == Quote) {
            ++i;
            while (i < n) {
                if (text[i] == Quote) {
                    ++i;
                    if (i >= n || text[i] != Quote)
                        break;
                }
                field += text[i];
                ++i;
            }
        } else {
            const qsizetype begin = i;
            while (i < n && !IsBlank(text[i]) && text[i] != Delimiter)
                ++i;
            field = text.mid(begin, i - begin).toString();
        }
        fields.append(field);
        skipBlanks();
        if (i < n && text[i] == Delimiter) {
            if (i + 1 == n)
                fields.append(QString());
            ++i;
            skipBlanks();
        }
    }
    return fields;
}
