#pragma once
// Where the program's sample files ("opisy.ini", "alert.wav", "changelog.txt") are read from.
// A copy in the working folder is the user's own and wins; otherwise the one beside the program
// serves, so the program works from any folder, installed or in its build folder.

#include <QString>
#include <QStringList>

// The folders that may hold the sample files of a program in programFolder, found from that
// folder (the prefix or the build may sit anywhere): the installation's data folder, then the
// build's run folder. The installed one comes first, as a file there is what a user installed.
QStringList DataFoldersBeside(const QString &programFolder);

// DataFoldersBeside() this program's folder; none before the application object exists.
QStringList DataFolders();

// The name as given while the working folder holds a readable file of that name, else the
// path of the first readable copy in dataFolders, else the name as given (so a missing file is
// reported, or silently missed, exactly as before).
QString SampleFilePath(const QString &name, const QStringList &dataFolders = DataFolders());
