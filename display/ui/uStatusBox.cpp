#include "display/ui/uStatusBox.h"

#include "display/uDisplayRules.h"
#include "widgets/uLook.h"

#include <QLabel>
#include <QVBoxLayout>

TStatusBox::TStatusBox(QWidget *parent) : QGroupBox(QStringLiteral("Status"), parent)
{
    setObjectName(QStringLiteral("gbStatus"));
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(1);
    for (int n = 1; n <= 8; ++n) {
        const QByteArray name = "lStatus" + QByteArray::number(n);
        QLabel *label = Look::MakeLabel(this, name.constData(), QString::fromLatin1(name),
                                        QColor(255, 230, 80));
        Look::MakeValueLabel(label, QStringLiteral("Status bit %1").arg(n));
        // Lines keep their places, so a flag that comes and goes does not move the others.
        QSizePolicy policy = label->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        policy.setHorizontalPolicy(QSizePolicy::Ignored);
        label->setSizePolicy(policy);
        layout->addWidget(label);
        lStatus[size_t(n - 1)] = label;
    }
}

void TStatusBox::SetCaptions(const QStringList &captions)
{
    for (int n = 0; n < 8 && n < captions.size(); ++n)
        lStatus[size_t(n)]->setText(captions[n]);
}

void TStatusBox::ShowStatus(quint8 status)
{
    for (int n = 1; n <= 8; ++n)
        lStatus[size_t(n - 1)]->setVisible(StatusLabelShown(status, n));
}

void TStatusBox::HideStatusLabels()
{
    for (QLabel *label : lStatus)
        label->setVisible(false);
}
