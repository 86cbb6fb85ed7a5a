#include "app/ui/uWindowSet.h"

#include "acquisition/ui/uFrmLogCAN.h"
#include "app/ui/uFrmChangeLog.h"
#include "app/ui/uFrmSplashScreen.h"
#include "settings/ui/uFrmSettings.h"

static void LoadArtwork()
{
    // The resources live in a static library: nothing would pull them in otherwise.
    Q_INIT_RESOURCE(assets);
}

TWindowSet TWindowSet::Create(const TCommandLine &commandLine, TMainSeams seams)
{
    LoadArtwork();
    TWindowSet set;
    set.frmMain = std::make_unique<TfrmMain>(commandLine, seams);
    TfrmMain *owner = set.frmMain.get();
    set.secondary.frmSplashScreen = new TfrmSplashScreen(owner);
    set.secondary.frmSettings = new TFrmSettings(owner);
    set.secondary.frmChangeLog = new TFrmChangeLog(owner);
    set.secondary.frmLogCAN = new TFrmLogCAN(owner);
    owner->SetSecondaryWindows(set.secondary);
    return set;
}
