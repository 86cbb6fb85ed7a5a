#include "widgets/uAlertSound.h"

#include <QDir>
#include <QUrl>

TAlertSound::TAlertSound()
{
    // Resolved against the working folder, where the user keeps the sound; a missing or
    // unplayable file simply stays silent.
    m_effect.setSource(
        QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("alert.wav"))));
}

void TAlertSound::Play()
{
    m_effect.stop();  // a new alarm cuts off the one still sounding
    m_effect.play();
}
