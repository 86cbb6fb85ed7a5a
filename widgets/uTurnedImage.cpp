#include "widgets/uTurnedImage.h"

#include <QPainter>

QImage TurnedImage(const QImage &source, int degrees)
{
    QImage turned(source.size(), QImage::Format_ARGB32_Premultiplied);
    turned.setDevicePixelRatio(source.devicePixelRatio());
    turned.fill(Qt::transparent);
    QPainter painter(&turned);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPointF centre(source.width() / 2.0, source.height() / 2.0);
    painter.translate(centre);
    painter.rotate(degrees % 360);  // y points down, so positive is clockwise on screen
    painter.translate(-centre);
    painter.drawImage(QPointF(0, 0), source);
    return turned;
}
