#pragma once

#include <QStyledItemDelegate>

namespace results {

// Paints a cell's tag colour in the selected row too. The capture screens keep the row
// being worked on selected, so a colour the selection painted over (the red "Calculated",
// a third digit still needed) would be hidden exactly where the user looks; the cell keeps
// its colour inside a frame in the selection's colour instead.
class TagCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace results
