#pragma once
// The program's five windows, created once in their order and kept until the end.

#include "app/uCommandLine.h"
#include "app/ui/uFrmMain.h"

#include <memory>

struct TWindowSet {
    std::unique_ptr<TfrmMain> frmMain;
    TSecondaryWindows secondary;  // owned by frmMain as its children

    static TWindowSet Create(const TCommandLine &commandLine, TMainSeams seams = {});
};
