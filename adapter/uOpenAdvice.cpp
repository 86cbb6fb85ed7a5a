#include "adapter/uOpenAdvice.h"

QString AdvisedOpenProblem(const QString &plugin, const QString &reason)
{
    const auto says = [&reason](const char *words) {
        return reason.contains(QLatin1String(words), Qt::CaseInsensitive);
    };
    QString advice;
    if (says("cannot load library pcanbasic"))
        advice = QStringLiteral("PEAK's PCAN-Basic library is not installed: install PCAN-Basic, "
                                "or choose the adapter's SocketCAN interface in Settings or with "
                                "--can=socketcan:can0");
    else if (says("no such plugin"))
        advice = QStringLiteral("Qt has no CAN plugin \"%1\": choose an adapter in Settings, or "
                                "with --can= one of sim, peakcan:usb0, socketcan:can0 or "
                                "virtualcan:can0")
                     .arg(plugin);
    else if (says("permission denied") || says("operation not permitted"))
        advice = QStringLiteral("the program may not use the adapter: give your user access to "
                                "it (its device group), or ask your administrator");
    else if (says("busy") || says("in use"))
        advice = QStringLiteral("the adapter is in use by another program: close that program, "
                                "then press Connect again");
    return advice.isEmpty() ? reason : QStringLiteral("%1 (%2)").arg(advice, reason);
}
