#include "editor/ui/PhotoPage.h"

#include "editor/DesignEditor.h"
#include "editor/ui/PicturePreview.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

TPhotoPage::TPhotoPage(TDesignEditor &editor, QWidget *parent)
    : TEditorPage(editor, "TabSheet3", parent)
{
    auto *layout = new QGridLayout(this);
    auto *label13 = Make<QLabel>("Label13");
    label13->setText(QStringLiteral("Selected"));
    mImage1 = Make<TPicturePreview>("Image1");
    mImage1->setMinimumSize(TPhotoList::MaxSize, TPhotoList::MaxSize);
    mImage1->setAccessibleName(QStringLiteral("Selected"));
    mListBox1 = Make<QListWidget>("ListBox1");
    mListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Dragged into another order, or moved with Ctrl+Up and Ctrl+Down.
    mListBox1->setDragDropMode(QAbstractItemView::InternalMove);
    mListBox1->installEventFilter(this);
    mListBox1->setAccessibleName(QStringLiteral("Photos"));
    auto *label3 = Make<QLabel>("Label3");
    label3->setText(QStringLiteral("Size"));
    mComboBox2 = Make<QComboBox>("ComboBox2");
    mComboBox2->setEditable(true);
    mComboBox2->setToolTip(QStringLiteral("The longer side of every photo as a ship, in pixels (3 to 200)"));
    label3->setBuddy(mComboBox2);
    auto *label18 = Make<QLabel>("Label18");
    label18->setText(QStringLiteral("pixels"));
    mSpeedButton5 = Make<QToolButton>("SpeedButton5");
    mSpeedButton5->setText(QStringLiteral("+"));
    mSpeedButton5->setAccessibleName(QStringLiteral("Add photos"));
    mSpeedButton5->setToolTip(QStringLiteral("Add photos... (Insert)"));
    mSpeedButton6 = Make<QToolButton>("SpeedButton6");
    mSpeedButton6->setText(QStringLiteral("-"));
    mSpeedButton6->setAccessibleName(QStringLiteral("Remove photos"));
    mSpeedButton6->setToolTip(QStringLiteral("Remove the selected photos (Delete)"));

    // "+" and "-" belong to the list they change, not to the size beside it.
    auto *listButtons = new QHBoxLayout;
    listButtons->addWidget(mSpeedButton5);
    listButtons->addWidget(mSpeedButton6);
    listButtons->addStretch(1);
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(label3);
    sizeRow->addWidget(mComboBox2, 1);
    sizeRow->addWidget(label18);
    layout->addWidget(label13, 0, 0, Qt::AlignBottom);
    layout->addWidget(mImage1, 1, 0, Qt::AlignTop);
    layout->setRowStretch(1, 1);
    layout->addLayout(listButtons, 0, 1);
    layout->addWidget(mListBox1, 1, 1);
    layout->addLayout(sizeRow, 2, 1);
    layout->setColumnStretch(1, 1);

    mFillingPhotoSize = true;
    for (int size = TPhotoList::MinSize; size <= TPhotoList::MaxSize; ++size)
        mComboBox2->addItem(QString::number(size));
    mComboBox2->setCurrentText(mEditor.PhotoSizeText());
    mFillingPhotoSize = false;

    connect(mSpeedButton5, &QToolButton::clicked, this, [this] { Guarded([this] { SpeedButton5Click(); }); });
    connect(mSpeedButton6, &QToolButton::clicked, this, [this] { Guarded([this] { SpeedButton6Click(); }); });
    connect(mListBox1, &QListWidget::currentRowChanged, this, [this] { Guarded([this] { ListBox1Click(); }); });
    connect(mListBox1->model(), &QAbstractItemModel::rowsMoved, this, [this] { Guarded([this] { PhotosDragged(); }); });
    connect(mComboBox2, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        if (!mFillingPhotoSize)
            mEditor.SetPhotoSizeText(text);
    });
    connect(mComboBox2->lineEdit(), &QLineEdit::editingFinished, this, &TPhotoPage::ComboBox2Exit);
    connect(mComboBox2, &QComboBox::activated, this, [this] { ListBox1Click(); });
}

void TPhotoPage::Fill()
{
    ShowEntries(mEditor.Photos().Entries().isEmpty() ? -1 : 0);
}

void TPhotoPage::Refill()
{
    ShowEntries(mListBox1->currentRow());
}

void TPhotoPage::ShowEntries(int current)
{
    {
        const QSignalBlocker blocker(mListBox1);
        mListBox1->clear();
        // The name the photo came with reads at a glance; the whole path is its tool tip.
        const TPhotoList &photos = mEditor.Photos();
        for (qsizetype i = 0; i < photos.Entries().size(); ++i) {
            const QString &path = photos.Entries().at(i);
            auto *item = new QListWidgetItem(photos.Names().value(i), mListBox1);
            item->setToolTip(QDir::toNativeSeparators(path));
            item->setData(Qt::UserRole, path);
        }
        mListBox1->setCurrentRow(current < mListBox1->count() ? current : -1);
    }
    ListBox1Click();
}

void TPhotoPage::SpeedButton5Click()
{
    ShowEntries(mEditor.AddPhotos(mListBox1->currentRow()));
}

void TPhotoPage::SpeedButton6Click()
{
    QList<int> selected;
    for (const QModelIndex &index : mListBox1->selectionModel()->selectedRows())
        selected.append(index.row());
    mEditor.RemovePhotos(selected);
    ShowEntries(0);
}

void TPhotoPage::PhotosDragged()
{
    // The list has moved its items already: the model follows their order.
    QStringList order;
    for (int i = 0; i < mListBox1->count(); ++i)
        order << mListBox1->item(i)->data(Qt::UserRole).toString();
    mEditor.ReorderPhotos(order);
}

void TPhotoPage::MoveCurrent(int by)
{
    const int row = mListBox1->currentRow();
    if (mEditor.MovePhoto(row, row + by))
        ShowEntries(row + by);
}

void TPhotoPage::ListBox1Click()
{
    const int row = mListBox1->currentRow();
    if (row < 0 || row >= mEditor.Photos().Entries().size()) {
        mImage1->SetPicture(TPicture());
        return;
    }
    const QString &path = mEditor.Photos().Entries().at(row);
    mImage1->SetPicture(TPhotoList::Preview(path, TPhotoList::SizeOf(mEditor.PhotoSizeText())));
}

void TPhotoPage::ComboBox2Exit()
{
    if (mFillingPhotoSize)
        return;
    const QString checked = TPhotoList::CheckedSizeText(mComboBox2->currentText());
    mFillingPhotoSize = true;
    mComboBox2->setCurrentText(checked);
    mFillingPhotoSize = false;
    mEditor.SetPhotoSizeText(checked);
    ListBox1Click();
}

bool TPhotoPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mListBox1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
        if (plain && key->key() == Qt::Key_Insert) {
            Guarded([this] { SpeedButton5Click(); });
            return true;
        }
        if (plain && key->key() == Qt::Key_Delete) {
            Guarded([this] { SpeedButton6Click(); });
            return true;
        }
        if (key->modifiers() == Qt::ControlModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            Guarded([this, key] { MoveCurrent(key->key() == Qt::Key_Up ? -1 : 1); });
            return true;
        }
    }
    return TEditorPage::eventFilter(watched, event);
}
