#pragma once
// Pictures drawn from the SVG artwork: a still one that fills its bounds, and the rotating
// picture control that shows its source turned by a whole-degree angle.

#include <QImage>
#include <QSvgRenderer>
#include <QWidget>

class TSvgPicture : public QWidget
{
public:
    TSvgPicture(const QString &resource, const char *name, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSvgRenderer m_renderer;
};

// Keeps its source unchanged; every turn starts again from the source, so turns never
// accumulate. The picture is centred and drawn over the parent where it leaves gaps. A turn
// is computed when the picture is next painted, so a hidden page costs nothing.
class TRotatingPicture : public QWidget
{
public:
    TRotatingPicture(const QString &resource, const char *name, QWidget *parent = nullptr);

    void SetAngle(int degrees);
    int Angle() const { return m_angle; }
    // The turned picture as shown, for tests.
    const QImage &Shown() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void RenderSource();

    QSvgRenderer m_renderer;
    QImage m_source;
    mutable QImage m_shown;
    mutable bool m_turnPending = true;
    int m_angle = 0;
};
