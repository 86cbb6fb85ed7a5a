#pragma once
// The text of the changelog window, read from a file that may be missing, unreadable, in
// either of the units' encodings, or far too large.

#include <QByteArray>
#include <QString>

inline constexpr const char *ChangeLogFileName = "changelog.txt";
// A changelog is a few kilobytes; these bound what a wrong file can cost. The text edit lays
// out a line in one piece, and a megabyte-long line froze the window for half a minute.
inline constexpr qint64 ChangeLogMaxBytes = 1024 * 1024;
inline constexpr int ChangeLogMaxLineChars = 1000;
inline constexpr int ChangeLogMaxLines = 5000;

// What the window shows until a file has been loaded: six lines.
QString ChangeLogFallbackText();

// The text to show for a file's bytes, its lines joined by "\n": UTF-8 if valid, else
// Windows-1250; longer lines cut, lines past the limit left out, control characters shown
// as U+FFFD.
QString ChangeLogTextFrom(const QByteArray &bytes);

// The text of the file at path; the shown text unchanged when the file is no regular file,
// cannot be read, or holds no whole line within its first ChangeLogMaxBytes.
QString ReloadChangeLog(const QString &path, const QString &shown);
