// The program's fonts: Liberation Sans stands in for "MS Sans Serif",
// Liberation Mono (fixed pitch) for "Courier New". Sizes are character
// heights in pixels.
#pragma once

#include <QFont>

inline QFont WindowFont(int pixels) {
    QFont f("Liberation Sans");
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels);
    return f;
}

inline QFont FixedFont(int pixels, bool bold = false) {
    QFont f("Liberation Mono");
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// The readouts: fixed pitch, bold, 12 pixels.
inline QFont ReadoutFont() { return FixedFont(12, true); }
