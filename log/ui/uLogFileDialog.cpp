#include "log/ui/uLogFileDialog.h"

#include <QFileDialog>

QString ChooseLogFileName(QWidget *parent, const QString &seed)
{
    QFileDialog SaveDialog1(parent, QString(), QString(), QStringLiteral("*.csv;;*.txt;;*.*"));
    SaveDialog1.setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1.setDefaultSuffix(QStringLiteral("csv"));
    // The name chosen is only the base of the log names and is never written itself, so
    // there is nothing to replace.
    SaveDialog1.setOption(QFileDialog::DontConfirmOverwrite);
    SaveDialog1.selectFile(seed.isEmpty() ? QStringLiteral("log") : seed);
    if (SaveDialog1.exec() != QDialog::Accepted || SaveDialog1.selectedFiles().isEmpty())
        return {};
    return SaveDialog1.selectedFiles().constFirst();
}
