#pragma once
// The save-file dialog that chooses the base name of the measurement logs.

#include <QString>

class QWidget;

// The chosen file name with its folder, or an empty text when the user cancels. A name typed
// without extension gets ".csv".
QString ChooseLogFileName(QWidget *parent, const QString &seed);
