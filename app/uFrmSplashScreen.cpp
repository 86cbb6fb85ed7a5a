#include "app/uFrmSplashScreen.h"

TfrmSplashScreen::TfrmSplashScreen(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmSplashScreen"));
    setWindowTitle(QStringLiteral("About"));
}
