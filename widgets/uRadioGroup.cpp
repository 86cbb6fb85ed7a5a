#include "widgets/uRadioGroup.h"

#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(const QString &caption, const QStringList &items, int itemIndex,
                         QWidget *parent)
    : QGroupBox(caption, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    for (int index = 0; index < items.size(); ++index) {
        auto *button = new QRadioButton(items[index], this);
        m_buttons.addButton(button, index);
        layout->addWidget(button);
    }
    SetItemIndex(itemIndex);
    connect(&m_buttons, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            emit Clicked();
    });
}

void TRadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton *button = m_buttons.button(index))
        button->setChecked(true);
}
