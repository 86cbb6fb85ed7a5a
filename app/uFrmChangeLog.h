#pragma once

#include <QDialog>

// Window "Changelog"; created once at start-up and hidden, not destroyed, when closed.
class TFrmChangeLog : public QDialog
{
public:
    explicit TFrmChangeLog(QWidget *parent = nullptr);
};
