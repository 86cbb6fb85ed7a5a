#include "acquisition/ui/uCoefficientsBox.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

TCoefficientsBox::TCoefficientsBox(QWidget *parent)
    : QGroupBox(QStringLiteral("Współczynniki"), parent)
{
    setObjectName(QStringLiteral("gbWspolczynniki"));
    const struct {
        const char *name;
        const char *caption;
        const char *text;
    } fields[] = {
        {"Edit6", "masa całkowita", "2100"},
        {"Edit7", "masa resorowana", "1800"},
        {"Edit8", "wysokość środka masy resorowanej", "0,82"},
        {"Edit9", "wysokość środka masy nieresorowanej", "0,31"},
        {"Edit10", "współczynnik K Φ", "155000"},
        {"Edit1", "wartość graniczna LTR", "0,50"},
        {"Edit2", "wartość graniczna przechyłu poprzecznego", "0,50"},
        {"Edit3", "wartość graniczna przechyłu wzdłużnego", "0,50"},
    };
    auto *layout = new QFormLayout(this);
    for (const auto &field : fields) {
        auto *edit = new QLineEdit(QString::fromUtf8(field.text), this);
        edit->setObjectName(QString::fromLatin1(field.name));
        auto *label = new QLabel(QString::fromUtf8(field.caption), this);
        label->setBuddy(edit);
        layout->addRow(label, edit);
    }
    setEnabled(false);
    setVisible(false);
}
