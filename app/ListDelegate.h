// List boxes with a fixed item height, as the old toolkit's list boxes had.
#pragma once

#include <QStyledItemDelegate>

class FixedHeightDelegate : public QStyledItemDelegate {
public:
    FixedHeightDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& o, const QModelIndex& i) const override {
        return QSize(QStyledItemDelegate::sizeHint(o, i).width(), height_);
    }

private:
    int height_;
};
