#include "app/uWindowProgram.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#ifdef Q_OS_WIN
#include <process.h>
#else
#include <unistd.h>
#endif

QString WindowProgramPath(const QString &folder)
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("telqar-logger-gui.exe");
#else
    const QString name = QStringLiteral("telqar-logger-gui");
#endif
    return QDir(folder).filePath(name);
}

QString ReplaceWithWindowProgram(const QString &program, char *const argv[],
                                 const QStringList &arguments)
{
#ifdef Q_OS_WIN
    // _wexecv joins its arguments with blanks, so each is quoted the way the new program's
    // start-up splits them again.
    const QString nativeProgram = QDir::toNativeSeparators(program);
    std::vector<std::wstring> texts{QuotedForWindowsCommandLine(nativeProgram).toStdWString()};
    for (const QString &argument : arguments)
        texts.push_back(QuotedForWindowsCommandLine(argument).toStdWString());
    std::vector<const wchar_t *> pointers;
    for (const std::wstring &text : texts)
        pointers.push_back(text.c_str());
    pointers.push_back(nullptr);
    _wexecv(reinterpret_cast<const wchar_t *>(nativeProgram.utf16()), pointers.data());
    Q_UNUSED(argv);
#else
    // The bytes as they came, not decoded and encoded again: a file name in another encoding
    // than the locale's must reach the window unchanged.
    const QByteArray path = QFile::encodeName(program);
    std::vector<char *> handed;
    handed.push_back(const_cast<char *>(path.constData()));
    for (char *const *argument = argv + 1; *argument; ++argument)
        handed.push_back(*argument);
    handed.push_back(nullptr);
    execv(path.constData(), handed.data());
    Q_UNUSED(arguments);
#endif
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString QuotedForWindowsCommandLine(const QString &argument)
{
    if (!argument.isEmpty() && !argument.contains(QLatin1Char(' '))
        && !argument.contains(QLatin1Char('\t')) && !argument.contains(QLatin1Char('"')))
        return argument;
    QString quoted = QStringLiteral("\"");
    int backslashes = 0;
    for (const QChar c : argument) {
        if (c == QLatin1Char('\\')) {
            ++backslashes;
            continue;
        }
        // Backslashes count as escapes only before a quote.
        quoted +=
            QString(c == QLatin1Char('"') ? 2 * backslashes + 1 : backslashes, QLatin1Char('\\'));
        quoted += c;
        backslashes = 0;
    }
    quoted += QString(2 * backslashes, QLatin1Char('\\'));
    quoted += QLatin1Char('"');
    return quoted;
}
