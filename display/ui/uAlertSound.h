#pragma once
// The alarm's sound: "alert.wav", the working folder's, else the installed one.

#include "display/uLtrAlarm.h"

#include <QSoundEffect>

class TAlertSound : public TAlarmSound
{
public:
    TAlertSound();
    void Play() override;

private:
    QSoundEffect m_effect;
};
