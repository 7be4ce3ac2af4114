#include "design/ui/DesignGalleryDelegate.h"

#include "design/DesignPreviewMaker.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace {

constexpr int kPadding = 6;
constexpr int kTextGap = 4;

QFont NameFont(const QFont &font)
{
    QFont bold = font;
    bold.setBold(true);
    return bold;
}

QFont AuthorFont(const QFont &font)
{
    QFont small = font;
    if (font.pointSizeF() > 0)
        small.setPointSizeF(font.pointSizeF() * 0.9);
    else
        small.setPixelSize(std::max(1, font.pixelSize() * 9 / 10));
    return small;
}

// Where the preview goes in a cell: the largest preview's place, centred.
QRect PreviewSlot(const QRect &cell)
{
    const QSize size = TDesignPreviewMaker::MaxSize;
    return {cell.left() + (cell.width() - size.width()) / 2, cell.top() + kPadding, size.width(), size.height()};
}

} // namespace

TDesignGalleryDelegate::TDesignGalleryDelegate(TWanted wanted, QObject *parent)
    : QStyledItemDelegate(parent), mWanted(std::move(wanted))
{
}

QSize TDesignGalleryDelegate::CellSize(const QFont &font)
{
    const int text = QFontMetrics(NameFont(font)).height() + QFontMetrics(AuthorFont(font)).height();
    return {TDesignPreviewMaker::MaxSize.width() + 2 * kPadding,
            TDesignPreviewMaker::MaxSize.height() + 2 * kPadding + kTextGap + text};
}

QSize TDesignGalleryDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return CellSize(option.font);
}

void TDesignGalleryDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget *widget = item.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    const bool selected = item.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = !(item.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : item.state & QStyle::State_Active   ? QPalette::Active
                                                                             : QPalette::Inactive;
    // The whole cell is the choice, not only its text, as styles would mark it.
    if (selected)
        painter->fillRect(item.rect, item.palette.brush(group, QPalette::Highlight));
    else
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, widget);

    painter->save();
    const QRect slot = PreviewSlot(item.rect);
    const QPixmap preview = index.data(Qt::DecorationRole).value<QPixmap>();
    if (preview.isNull()) {
        painter->fillRect(slot, item.palette.color(QPalette::Midlight));
        painter->setPen(item.palette.color(QPalette::Mid));
        painter->drawText(slot, Qt::AlignCenter, QStringLiteral("\u2026"));
    } else {
        QRect shown(QPoint(0, 0), preview.deviceIndependentSize().toSize());
        shown.moveCenter(slot.center());
        painter->drawPixmap(shown.topLeft(), preview);
        painter->setPen(item.palette.color(QPalette::Mid));
        painter->drawRect(shown.adjusted(-1, -1, 0, 0));
    }
    if (mWanted && !index.data(FreshRole).toBool())
        mWanted(index);

    const QRect lines = item.rect.adjusted(kPadding, slot.bottom() + 1 - item.rect.top() + kTextGap, -kPadding, 0);
    const QFont nameFont = NameFont(item.font);
    const QFont authorFont = AuthorFont(item.font);
    const QFontMetrics nameMetrics(nameFont);
    painter->setFont(nameFont);
    painter->setPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(lines, Qt::AlignHCenter | Qt::AlignTop,
                      nameMetrics.elidedText(item.text, Qt::ElideRight, lines.width()));
    painter->setFont(authorFont);
    if (!selected)
        painter->setPen(item.palette.color(group, QPalette::PlaceholderText));
    painter->drawText(lines.adjusted(0, nameMetrics.height(), 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                      QFontMetrics(authorFont).elidedText(index.data(AuthorRole).toString(), Qt::ElideRight,
                                                          lines.width()));
    painter->restore();

    if (item.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(item);
        focus.rect = item.rect.adjusted(1, 1, -1, -1);
        focus.backgroundColor = item.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}
