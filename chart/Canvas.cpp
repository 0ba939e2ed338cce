#include "Canvas.h"

#include <QPainter>
#include <QPen>

namespace kelvo {

namespace {
// Coordinates far outside the raster are drawn clipped; keep them within a
// range QPainter handles exactly.
int Clamp(int v) { return v < -100000 ? -100000 : v > 100000 ? 100000 : v; }
}  // namespace

Canvas::Canvas(int width, int height, QColor fill)
    : image_(width, height, QImage::Format_RGB32) {
    image_.fill(fill);
}

void Canvas::SetBrushColor(QColor color) {
    brushColor_ = color;
    brushStyle_ = BrushStyle::Solid;
}

void Canvas::FillRect(int x1, int y1, int x2, int y2) {
    if (brushStyle_ == BrushStyle::Clear) return;
    const QRect r = QRect(QPoint(Clamp(x1), Clamp(y1)), QPoint(Clamp(x2) - 1, Clamp(y2) - 1));
    QPainter p(&image_);
    p.fillRect(r.intersected(image_.rect()), brushColor_);
}

void Canvas::SetPixel(int x, int y, QColor color) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
    image_.setPixelColor(x, y, color);
}

QColor Canvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return QColor();
    return image_.pixelColor(x, y);
}

void Canvas::LineTo(int x, int y) {
    QPainter p(&image_);
    QPen pen(penColor_, penWidth_, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    p.setPen(pen);
    p.drawLine(QPoint(Clamp(position_.x()), Clamp(position_.y())), QPoint(Clamp(x), Clamp(y)));
    position_ = QPoint(x, y);
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2) {
    QPainter p(&image_);
    p.setPen(QPen(penColor_, penWidth_));
    if (brushStyle_ == BrushStyle::Solid)
        p.setBrush(brushColor_);
    else
        p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(QPoint(Clamp(x1), Clamp(y1)), QPoint(Clamp(x2) - 1, Clamp(y2) - 1)));
}

}  // namespace kelvo
