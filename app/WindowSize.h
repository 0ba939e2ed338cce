// Outer window sizes. Qt sizes a window's client area and the window manager
// adds its frame, which is known only once the window is shown; the client
// area is then set to the wanted outer size less that frame. Without a
// window manager (or off screen) the frame is empty and the client area is
// the whole outer size.
#pragma once

#include <QTimer>
#include <QWidget>

inline void ResizeOuter(QWidget* window, QSize outer) {
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    window->resize(outer - frame);
}

// For a showEvent: sizes the window now and once more when the window
// manager has had time to put its frame round it.
inline void ResizeOuterOnShow(QWidget* window, QSize outer) {
    ResizeOuter(window, outer);
    QTimer::singleShot(200, window, [window, outer] { ResizeOuter(window, outer); });
}
