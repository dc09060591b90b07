#include "results/forms/tagcelldelegate.h"

#include <QBrush>
#include <QPainter>

namespace results {

void TagCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    const QVariant background = index.data(Qt::BackgroundRole);
    const bool tagged =
        background.canConvert<QBrush>() && background.value<QBrush>().style() != Qt::NoBrush;
    if (!tagged || !(option.state & QStyle::State_Selected)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem plain(option);
    plain.state &= ~QStyle::State_Selected;
    QStyledItemDelegate::paint(painter, plain, index);
    painter->save();
    painter->setPen(QPen(option.palette.color(QPalette::Highlight), 3));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
    painter->restore();
}

} // namespace results
