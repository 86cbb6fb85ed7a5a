#pragma once
// A trace read through before the window opens, with a progress dialog that shows once it
// takes a while (an hour of a full bus takes seconds), so that a replay started from a menu
// is seen to work. Cancel stops the reading.

#include "trace/uReplay.h"

// alsoTell: told of the progress too (a terminal's bar), or empty.
bool OpenReplay(TReplay &replay, const QString &path, QString *error,
                const TReplay::TProgress &alsoTell = {});
