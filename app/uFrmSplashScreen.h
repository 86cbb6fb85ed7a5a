#pragma once

#include <QDialog>

// Window "About"; created once at start-up and hidden, not destroyed, when closed.
class TfrmSplashScreen : public QDialog
{
public:
    explicit TfrmSplashScreen(QWidget *parent = nullptr);
};
