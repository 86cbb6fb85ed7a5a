#pragma once
// Where the program's sample files ("opisy.ini", "alert.wav", "changelog.txt") are read from.
// A copy in the working folder is the user's own and wins; otherwise the one installed with the
// program serves, so an installed program works from any folder.

#include <QString>

// The folder the installation puts the sample files in, found from the program's own folder
// (the prefix may move); empty before the application object exists.
QString InstalledDataFolder();

// The name as given while the working folder holds a readable file of that name, else the
// installed copy's path while that exists, else the name as given (so a missing file is
// reported, or silently missed, exactly as before).
QString SampleFilePath(const QString &name, const QString &installedFolder = InstalledDataFolder());
