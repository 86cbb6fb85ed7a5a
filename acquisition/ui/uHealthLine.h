#pragma once
// The health line in the main window's status bar: whether the data can be trusted, read at
// a glance; the frames per second of each identifier in its tool tip.

#include "acquisition/uHealthText.h"

#include <QLabel>

class THealthLine : public QLabel
{
public:
    explicit THealthLine(QWidget *parent = nullptr);
    void Show(const THealthText &text);

private:
    bool m_alarm = false;
};
