#include "base/uElapsedText.h"

#include <algorithm>
#include <cmath>

QString ElapsedText(double seconds)
{
    const qint64 whole = qint64(std::floor(std::max(0.0, seconds)));
    const QString minutesSeconds = QStringLiteral("%1:%2")
                                       .arg(whole / 60 % 60, whole >= 3600 ? 2 : 1, 10,
                                            QLatin1Char('0'))
                                       .arg(whole % 60, 2, 10, QLatin1Char('0'));
    return whole >= 3600 ? QStringLiteral("%1:%2").arg(whole / 3600).arg(minutesSeconds)
                         : minutesSeconds;
}
