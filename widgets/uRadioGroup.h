#pragma once
// A captioned group of radio buttons addressed by item index, like the scale and speed
// choices of the main window.

#include <QButtonGroup>
#include <QGroupBox>

class TRadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    TRadioGroup(const QString &caption, const QStringList &items, int itemIndex,
                QWidget *parent = nullptr);

    int ItemIndex() const { return m_buttons.checkedId(); }
    void SetItemIndex(int index);
    QAbstractButton *Item(int index) const { return m_buttons.button(index); }

signals:
    // Another item became the chosen one: by a click, the keyboard, an assistive tool's toggle
    // or SetItemIndex. Clicking the item already chosen changes nothing and says nothing.
    void Clicked();

private:
    QButtonGroup m_buttons;
};
