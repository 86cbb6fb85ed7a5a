#include "widgets/uTurnedImage.h"

#include <QPainter>
#include <QtTest>

class tst_uTurnedImage : public QObject
{
    Q_OBJECT
private slots:
    void turnedImageIsClockwise();
};

void tst_uTurnedImage::turnedImageIsClockwise()
{
    // A white picture with a red mark at the middle of its top edge.
    QImage source(41, 41, QImage::Format_ARGB32_Premultiplied);
    source.fill(Qt::white);
    QPainter(&source).fillRect(18, 0, 5, 6, Qt::red);

    const QImage quarter = TurnedImage(source, 90);
    QCOMPARE(quarter.size(), source.size());
    QCOMPARE(QColor(quarter.pixel(38, 20)), QColor(Qt::red));  // top went right: clockwise
    QCOMPARE(QColor(TurnedImage(source, -90).pixel(2, 20)), QColor(Qt::red));
    QCOMPARE(qAlpha(TurnedImage(source, 45).pixel(0, 0)), 0);  // the gap shows the parent

    QCOMPARE(TurnedImage(source, 0), source.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

QTEST_GUILESS_MAIN(tst_uTurnedImage)
#include "tst_uTurnedImage.moc"
