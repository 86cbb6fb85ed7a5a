#pragma once

#include <QImage>

// The source turned about its centre by whole degrees, clockwise on screen for a positive
// angle, in a picture of the source's size; what the turned source does not cover is
// transparent, so the picture draws over its parent.
QImage TurnedImage(const QImage &source, int degrees);
