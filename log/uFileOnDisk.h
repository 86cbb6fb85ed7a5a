#pragma once
// What the log asks of the operating system about its open file that QFile does not offer.

#include <QFileDevice>
#include <QString>

// Makes the medium hold what was written to the file so far, so that a power cut, a pulled
// stick or a read-only remount loses nothing the program has written. False with the
// system's message.
bool ForceToDisk(const QFileDevice &file, QString *systemMessage);

// Whether the file's name still leads to the open file: false once it was deleted, renamed,
// its folder removed or another file put in its place, since whatever is written then is lost.
bool StillUnderItsName(const QFileDevice &file);

// Puts the whole file from in place of to in one step, replacing any file of that name, and
// makes the new name survive a power cut: a reader sees the old file or the new, never a
// part. Both in one folder. False with the system's message; from is left then.
bool MoveIntoPlace(const QString &from, const QString &to, QString *systemMessage);

// A file-size limit (ulimit -f, or a file system's own, met through it) then fails the write
// that passes it, which the log reports, instead of killing the program with SIGXFSZ and
// every file it had open. For the whole process.
void LetFileSizeLimitsFailWrites();
