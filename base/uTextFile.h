#pragma once
// Small text files the program reads at start or on demand (status texts, changelog). The
// user controls them, so they may be huge, cut anywhere, or no file at all (a named pipe, a
// device): reading must neither hang nor cost without bound.

#include <QByteArray>
#include <QString>

#include <optional>

// The bytes of a regular file, or nullopt when path names no regular file or cannot be read.
// Of a file larger than maxBytes only the whole lines within its first maxBytes are taken, so
// a cut never falls inside a UTF-8 sequence; without a line end there, nothing whole can be
// read and the result is nullopt.
std::optional<QByteArray> ReadTextFileHead(const QString &path, qint64 maxBytes);
