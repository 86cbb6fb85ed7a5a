#pragma once
// Whether the window has a display to open on: without one, Qt would abort with advice to
// reinstall the program. Told instead in one plain line.

#include <QByteArray>
#include <QString>

struct TDisplayEnvironment {
    QByteArray Platform;        // QT_QPA_PLATFORM
    QByteArray Display;         // DISPLAY
    QByteArray WaylandDisplay;  // WAYLAND_DISPLAY
};

// Empty where a display is there or the platform needs none (offscreen, or not X11 or
// Wayland); otherwise what is missing and what to do.
QString MissingDisplay(const TDisplayEnvironment &environment);

// This process's environment; on systems without X11 and Wayland nothing is ever missing.
TDisplayEnvironment CurrentDisplayEnvironment();
