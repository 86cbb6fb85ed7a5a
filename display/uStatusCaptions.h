#pragma once
// Captions of the eight status labels, from section "opisy", keys "status1".."status8" of an
// INI file; a missing file, section or key leaves the key's own name.

#include <QByteArray>
#include <QString>
#include <QStringList>

QStringList StatusCaptionsFromIni(const QByteArray &contents);

// Reads the file: only a regular one, and only the whole lines of its first 1 MiB (a status
// file is a few hundred bytes).
QStringList LoadStatusCaptions(const QString &path);
