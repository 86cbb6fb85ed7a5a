#pragma once
// How long something lasted, as the program shows it: "2:03", or "1:02:03" from an hour on.

#include <QString>

QString ElapsedText(double seconds);
