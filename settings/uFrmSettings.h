#pragma once

#include <QDialog>

// Window "Settings"; created once at start-up and hidden, not destroyed, when closed.
class TFrmSettings : public QDialog
{
public:
    explicit TFrmSettings(QWidget *parent = nullptr);
};
