#pragma once
// The "Status" group: eight one-line labels, each shown while its status bit is set.

#include <QGroupBox>

#include <array>

class QLabel;

class TStatusBox : public QGroupBox
{
public:
    explicit TStatusBox(QWidget *parent = nullptr);

    void SetCaptions(const QStringList &captions);
    void ShowStatus(quint8 status);
    void HideStatusLabels();

    std::array<QLabel *, 8> lStatus{};  // lStatus1..lStatus8
};
