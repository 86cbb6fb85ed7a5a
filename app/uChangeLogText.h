#pragma once
// The text of the changelog window, read from a file that may be missing, unreadable, in
// either of the units' encodings, or far too large.

#include <QString>

inline constexpr const char *ChangeLogFileName = "changelog.txt";
// A changelog is a few kilobytes; this bounds what a wrong file can cost.
inline constexpr qint64 ChangeLogMaxBytes = 1024 * 1024;

// What the window shows until a file has been loaded: six lines.
QString ChangeLogFallbackText();

// The text of the file at path, its lines joined by "\n"; the shown text unchanged when the
// file cannot be opened or read. UTF-8 if valid, else Windows-1250. Of a larger file only
// the whole lines within its first ChangeLogMaxBytes are taken.
QString ReloadChangeLog(const QString &path, const QString &shown);
