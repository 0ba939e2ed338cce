// Counting pixels of one colour in a chart image.
#pragma once

#include <QColor>
#include <QImage>

inline int CountPixels(const QImage& image, QColor color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color) ++n;
    return n;
}
