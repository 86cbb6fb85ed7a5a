#include "app/uFrmChangeLog.h"

TFrmChangeLog::TFrmChangeLog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmChangeLog"));
    setWindowTitle(QStringLiteral("Changelog"));
}
