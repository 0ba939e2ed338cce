#include "Icon.h"

#include <QPainter>
#include <QPainterPath>

QPixmap ProgramPicture(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(QColor(0, 0, 128));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(width / 64.0, height / 64.0);
    // Stars.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 0));
    for (const QPointF& s : {QPointF(8, 8), QPointF(50, 6), QPointF(30, 12), QPointF(57, 22)})
        p.drawEllipse(s, 1.2, 1.2);
    // Ground.
    p.setBrush(QColor(0, 128, 0));
    p.drawRect(QRectF(0, 52, 64, 12));
    // Mount.
    p.setBrush(QColor(192, 192, 192));
    QPainterPath mount;
    mount.moveTo(28, 52);
    mount.lineTo(36, 52);
    mount.lineTo(33, 34);
    mount.lineTo(31, 34);
    mount.closeSubpath();
    p.drawPath(mount);
    // Dish, tilted toward the sky, with its feed.
    p.save();
    p.translate(32, 32);
    p.rotate(-35);
    p.setBrush(QColor(235, 235, 235));
    p.setPen(QPen(QColor(90, 90, 90), 1.2));
    QPainterPath dish;
    dish.moveTo(-20, -4);
    dish.quadTo(0, 18, 20, -4);
    dish.closeSubpath();
    p.drawPath(dish);
    p.setPen(QPen(QColor(0, 255, 0), 1.5));
    p.drawLine(QPointF(0, 6), QPointF(0, -14));
    p.setBrush(QColor(255, 0, 0));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(0, -15), 2, 2);
    p.restore();
    return pixmap;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) icon.addPixmap(ProgramPicture(size, size));
    return icon;
}
