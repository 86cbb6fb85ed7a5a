#include "log/uFileOnDisk.h"

#ifdef Q_OS_WIN
#include <QFileInfo>

#include <io.h>
#include <qt_windows.h>
#else
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

bool ForceToDisk(const QFileDevice &file, QString *systemMessage)
{
#ifdef Q_OS_WIN
    if (FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()))))
        return true;
    *systemMessage = qt_error_string(int(GetLastError()));
#else
    // An appended file's size is part of its data here; its times are not needed.
    if (fdatasync(file.handle()) == 0)
        return true;
    *systemMessage = qt_error_string(errno);
#endif
    return false;
}

bool StillUnderItsName(const QFileDevice &file)
{
#ifdef Q_OS_WIN
    // Windows refuses to delete or rename a file held open the way Qt holds it, so the name
    // can only go with its medium.
    return QFileInfo::exists(file.fileName());
#else
    struct stat held {};
    struct stat named {};
    if (fstat(file.handle(), &held) != 0)
        return true;  // nothing known; the write or the force will tell
    if (stat(QFile::encodeName(file.fileName()).constData(), &named) != 0)
        return errno != ENOENT && errno != ENOTDIR;
    return held.st_dev == named.st_dev && held.st_ino == named.st_ino;
#endif
}
