#include "app/uDisplayCheck.h"

#include <QtGlobal>

QString MissingDisplay(const TDisplayEnvironment &environment)
{
    const QByteArray platform = environment.Platform.split(':').first();
    const bool x11 = platform.isEmpty() || platform == "xcb";
    const bool wayland = platform.isEmpty() || platform.startsWith("wayland");
    if (!x11 && !wayland)
        return {};
    if ((x11 && !environment.Display.isEmpty())
        || (wayland && !environment.WaylandDisplay.isEmpty()))
        return {};
    return QStringLiteral("no display to open the window on (%1 is not set): start it in a "
                          "desktop session; record and convert work without one")
        .arg(QLatin1String(x11 ? "DISPLAY" : "WAYLAND_DISPLAY"));
}

TDisplayEnvironment CurrentDisplayEnvironment()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY")};
#else
    return {QByteArrayLiteral("windows"), {}, {}};
#endif
}
