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

    // Its height follows the width the bar gives it (FitHeight), not the one the bar's layout
    // would try first, the width of its hint, which wraps one line into four.
    bool hasHeightForWidth() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // As many lines as the text needs at the width the bar gives: one, unless it says what to
    // do after a failed Connect.
    void FitHeight();

    bool m_alarm = false;
};
