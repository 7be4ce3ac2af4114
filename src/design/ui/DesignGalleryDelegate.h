#pragma once

#include <QStyledItemDelegate>

#include <functional>

// Draws a design in the selection list as a gallery cell: its preview (a
// placeholder until it is ready), its name and its author. The list's
// item texts stay the names, which keyboard search and screen readers use.
class TDesignGalleryDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // The author line, beside the name the item shows.
    static constexpr int AuthorRole = Qt::UserRole + 1;
    // True once the preview shown is the design's as it is now; until then
    // an older preview (or the placeholder) is shown and a new one asked for.
    static constexpr int FreshRole = Qt::UserRole + 2;
    using TWanted = std::function<void(const QModelIndex &index)>;

    // `wanted` is told about every item drawn without a fresh preview, so
    // that only what is on the screen is asked for.
    TDesignGalleryDelegate(TWanted wanted, QObject *parent);

    // The same for every item, so the list lays out hundreds at no cost.
    static QSize CellSize(const QFont &font);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    TWanted mWanted;
};
