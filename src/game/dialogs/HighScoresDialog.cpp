#include "game/dialogs/HighScoresDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kIndexRole = Qt::UserRole;

} // namespace

THighScoresDialog::THighScoresDialog(QWidget *parent, TMessageLookup messages)
    : QDialog(parent)
    , mMessages(std::move(messages))
{
    setObjectName(QStringLiteral("HighScoresDialog"));
    mList = new QTreeWidget(this);
    mList->setObjectName(QStringLiteral("ScoreList"));
    mList->setRootIsDecorated(false);
    mList->setAllColumnsShowFocus(true);
    mList->setUniformRowHeights(true);
    // The date takes the width left over, so the rows span the list.
    mList->header()->setStretchLastSection(true);
    auto *buttons = new QDialogButtonBox(this);
    mWatch = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    mWatch->setObjectName(QStringLiteral("WatchButton"));
    mWatch->setDefault(true);
    mClose = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    mClose->setObjectName(QStringLiteral("CloseButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(mList, &QTreeWidget::itemActivated, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mList);
    layout->addWidget(buttons);
    resize(620, 480);
}

void THighScoresDialog::Fill(const std::vector<THighScoreRow> &rows)
{
    setWindowTitle(mMessages(QStringLiteral("HighScoresTitle")));
    mList->setHeaderLabels({QStringLiteral("#"), mMessages(QStringLiteral("HighScoresScore")),
                            mMessages(QStringLiteral("HighScoresName")),
                            mMessages(QStringLiteral("HighScoresDesign")),
                            mMessages(QStringLiteral("HighScoresDate"))});
    mWatch->setText(mMessages(QStringLiteral("HighScoresWatch")));
    mClose->setText(mMessages(QStringLiteral("HighScoresClose")));
    mList->clear();
    int rank = 0;
    for (const THighScoreRow &row : rows) {
        const QString date = row.Played.isValid()
                                 ? QLocale().toString(row.Played.toLocalTime(), QLocale::ShortFormat)
                                 : QStringLiteral("—");
        auto *item = new QTreeWidgetItem(mList, {QString::number(++rank), QString::number(row.Entry.score),
                                                 row.Entry.name, row.Entry.design, date});
        item->setData(0, kIndexRole, row.Index);
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int column = 0; column < mList->columnCount(); ++column)
        mList->resizeColumnToContents(column);
    mWatch->setEnabled(!rows.empty());
}

std::optional<int> THighScoresDialog::Choose(const std::vector<THighScoreRow> &rows,
                                             std::optional<int> selected)
{
    Fill(rows);
    mList->setCurrentItem(mList->topLevelItem(0));
    for (int i = 0; selected && i < mList->topLevelItemCount(); ++i) {
        if (mList->topLevelItem(i)->data(0, kIndexRole).toInt() == *selected)
            mList->setCurrentItem(mList->topLevelItem(i));
    }
    mList->setFocus();
    if (mAnswerHook)
        return mAnswerHook(*this);
    if (exec() != QDialog::Accepted || !mList->currentItem())
        return std::nullopt;
    return mList->currentItem()->data(0, kIndexRole).toInt();
}
