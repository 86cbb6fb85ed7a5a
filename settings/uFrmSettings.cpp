#include "settings/uFrmSettings.h"

TFrmSettings::TFrmSettings(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmSettings"));
    setWindowTitle(QStringLiteral("Settings"));
}
