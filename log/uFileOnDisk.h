#pragma once
// What the log asks of the operating system about its open file that QFile does not offer.

#include <QFileDevice>

// Whether the file's name still leads to the open file: false once it was deleted, renamed,
// its folder removed or another file put in its place, since whatever is written then is lost.
bool StillUnderItsName(const QFileDevice &file);
