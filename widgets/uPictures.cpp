#include "widgets/uPictures.h"

#include "widgets/uTurnedImage.h"

#include <QPainter>

TSvgPicture::TSvgPicture(const QString &resource, const char *name, QWidget *parent)
    : QWidget(parent), m_renderer(resource)
{
    setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TSvgPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_renderer.render(&painter, rect());
}

TRotatingPicture::TRotatingPicture(const QString &resource, const char *name, QWidget *parent)
    : QWidget(parent), m_renderer(resource)
{
    setObjectName(QString::fromLatin1(name));
    setAccessibleName(QString::fromLatin1(name));
    RenderSource();
}

QSize TRotatingPicture::sizeHint() const
{
    return m_renderer.defaultSize();
}

void TRotatingPicture::RenderSource()
{
    // The source at the size it is shown, so that turning never scales.
    QSize size =
        m_renderer.defaultSize().scaled(this->size().expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
    if (size.isEmpty())
        size = m_renderer.defaultSize();
    const qreal ratio = devicePixelRatioF();
    m_source = QImage(size * ratio, QImage::Format_ARGB32_Premultiplied);
    m_source.setDevicePixelRatio(ratio);
    m_source.fill(Qt::transparent);
    QPainter painter(&m_source);
    m_renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    m_turnPending = true;
}

void TRotatingPicture::SetAngle(int degrees)
{
    // The same angle gives the same picture: nothing to turn or to repaint.
    if (degrees == m_angle)
        return;
    m_angle = degrees;
    m_turnPending = true;
    update();
}

const QImage &TRotatingPicture::Shown() const
{
    if (m_turnPending) {
        m_shown = TurnedImage(m_source, m_angle);
        m_turnPending = false;
    }
    return m_shown;
}

void TRotatingPicture::resizeEvent(QResizeEvent *)
{
    RenderSource();
}

void TRotatingPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QImage &shown = Shown();
    const QSizeF size = shown.deviceIndependentSize();
    painter.drawImage(QPointF((width() - size.width()) / 2.0, (height() - size.height()) / 2.0),
                      shown);
}
