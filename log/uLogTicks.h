#pragma once

// The dialog's ticks that the log follows at once, also when the dialog is then cancelled:
// the unit blocks of the next log and "save every 32nd record".
struct TLogTicks {
    bool Unit2 = false;
    bool Unit3 = false;
    bool EveryThirtySecond = false;
};
