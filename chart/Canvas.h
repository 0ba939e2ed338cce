// A drawing surface with the old canvas semantics over a QImage: the brush
// (colour, solid or clear) and the pen (colour, width) persist between calls;
// fill rectangle, set pixel, move-to/line-to and ellipse; everything clipped
// to the raster. Setting the brush colour makes the brush solid again.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

namespace kelvo {

class Canvas {
public:
    enum class BrushStyle { Solid, Clear };

    explicit Canvas(int width = 0, int height = 0, QColor fill = Qt::black);

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    const QImage& Image() const { return image_; }

    void SetBrushColor(QColor color);  // also makes the brush solid
    void SetBrushStyle(BrushStyle style) { brushStyle_ = style; }
    void SetPenColor(QColor color) { penColor_ = color; }
    void SetPenWidth(int width) { penWidth_ = width; }
    BrushStyle Style() const { return brushStyle_; }

    // Fills the rectangle from (x1, y1) up to but not including (x2, y2) with
    // the brush (nothing when the brush is clear).
    void FillRect(int x1, int y1, int x2, int y2);
    void SetPixel(int x, int y, QColor color);
    QColor Pixel(int x, int y) const;
    void MoveTo(int x, int y) { position_ = QPoint(x, y); }
    // Line with the pen from the current position to (x, y), which becomes
    // the current position.
    void LineTo(int x, int y);
    // Ellipse in the bounding rectangle (x1, y1)-(x2, y2), outlined with the
    // pen and filled with the brush unless it is clear.
    void Ellipse(int x1, int y1, int x2, int y2);

private:
    QImage image_;
    QColor brushColor_ = Qt::white;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    QColor penColor_ = Qt::black;
    int penWidth_ = 1;
    QPoint position_;
};

}  // namespace kelvo
