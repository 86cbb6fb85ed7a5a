#pragma once
// The "Save log" group of the Logging page: the current file's name and Start and Stop.

#include <QGroupBox>

class QLabel;
class QPushButton;

class TLogBox : public QGroupBox
{
public:
    static constexpr const char *NotActive = "- not active -";

    explicit TLogBox(QWidget *parent = nullptr);

    // Label and buttons always change together with the log's state.
    void ShowActive(const QString &fileName);
    void ShowInactive();

    QLabel *lLogName = nullptr;
    QPushButton *btnStartLog = nullptr;
    QPushButton *btnStopLog = nullptr;
};
