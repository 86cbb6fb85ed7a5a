#include "display/ui/uAlertSound.h"

#include "base/uDataFiles.h"

#include <QDir>
#include <QUrl>

TAlertSound::TAlertSound()
{
    // The user's own sound in the working folder, else the installed one; a missing or
    // unplayable file simply stays silent.
    m_effect.setSource(QUrl::fromLocalFile(
        QDir::current().absoluteFilePath(SampleFilePath(QStringLiteral("alert.wav")))));
}

void TAlertSound::Play()
{
    m_effect.stop();  // a new alarm cuts off the one still sounding
    m_effect.play();
}
