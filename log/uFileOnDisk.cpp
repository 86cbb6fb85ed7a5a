#include "log/uFileOnDisk.h"

#include <QFileInfo>

#ifdef Q_OS_WIN
#include <QDir>

#include <io.h>
#include <qt_windows.h>
#else
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
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

bool MoveIntoPlace(const QString &from, const QString &to, QString *systemMessage)
{
#ifdef Q_OS_WIN
    if (MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(from).utf16()),
                    reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(to).utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    *systemMessage = qt_error_string(int(GetLastError()));
    return false;
#else
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        *systemMessage = qt_error_string(errno);
        return false;
    }
    // The rename is an entry of the folder: it reaches the medium with the folder's sync.
    const QByteArray folder = QFile::encodeName(QFileInfo(to).absolutePath());
    if (const int handle = ::open(folder.constData(), O_RDONLY | O_DIRECTORY); handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
    return true;
#endif
}

void LetFileSizeLimitsFailWrites()
{
#ifndef Q_OS_WIN
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}
