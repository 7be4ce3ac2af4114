#include "design/ui/DesignSelectDialog.h"

#include "base/FileNames.h"
#include "design/DesignFolder.h"
#include "design/ui/DesignGalleryDelegate.h"
#include "design/DesignPreviewQueue.h"
#include "design/PreviewCache.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <utility>

namespace {

// The gallery opens this many previews wide and high.
constexpr int kGalleryColumns = 4;
constexpr int kGalleryRows = 3;
constexpr int kGallerySpacing = 4;

QWidget *Panel(QWidget *parent, const char *name)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(name));
    return panel;
}

} // namespace

TDesignSelectDialog::TDesignSelectDialog(QWidget *parent, TDesignRoots roots)
    : QDialog(parent), mRoots(std::move(roots))
{
    setObjectName(QStringLiteral("DesignSelectDialog"));
    setWindowTitle(QStringLiteral("Snapstorm Design"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    mPreviews = std::make_unique<TDesignPreviewQueue>(mRoots, TPreviewCache::StandardDir());
    BuildControls();
    BuildGallery();
    // The smallest it may be; it opens larger, to show the gallery.
    setMinimumSize(313, 247);
    resize(313, 247);
}

// Stops the preview thread before the list it fills goes.
TDesignSelectDialog::~TDesignSelectDialog() = default;

void TDesignSelectDialog::SetRoots(const TDesignRoots &roots)
{
    mRoots = roots;
    mPreviews->SetRoots(roots);
}

void TDesignSelectDialog::BuildControls()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    mPanel3 = Panel(this, "Panel3");
    auto *listArea = new QVBoxLayout(mPanel3);
    listArea->setContentsMargins(4, 4, 4, 0);
    listArea->setSpacing(0);
    mListBox1 = new QListWidget(mPanel3);
    mListBox1->setObjectName(QStringLiteral("ListBox1"));
    mListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    listArea->addWidget(mListBox1);
    mPanel5 = Panel(mPanel3, "Panel5");
    mPanel5->setFixedHeight(32);
    auto *editBar = new QHBoxLayout(mPanel5);
    editBar->setContentsMargins(0, 4, 0, 4);
    mEdit1 = new QLineEdit(mPanel5);
    mEdit1->setObjectName(QStringLiteral("Edit1"));
    editBar->addWidget(mEdit1);
    listArea->addWidget(mPanel5);
    // Shown under the name while it is one a save may not take.
    mDefaultItem = new QAction(QStringLiteral("Default"), this);
    mDefaultItem->setObjectName(QStringLiteral("DesignItem"));
    mLabel1 = new QLabel(QStringLiteral("Default cannot be overwritten: type a new name."), mPanel3);
    mLabel1->setObjectName(QStringLiteral("Label1"));
    mLabel1->setWordWrap(true);
    mLabel1->hide();
    listArea->addWidget(mLabel1);
    outer->addWidget(mPanel3, 1);

    mPanel2 = Panel(this, "Panel2");
    mPanel2->setFixedHeight(41);
    auto *buttonBar = new QHBoxLayout(mPanel2);
    buttonBar->setContentsMargins(4, 4, 4, 4);
    buttonBar->addStretch(1);
    mPanel4 = Panel(mPanel2, "Panel4");
    auto *buttons = new QHBoxLayout(mPanel4);
    buttons->setContentsMargins(0, 0, 0, 0);
    mButton1 = new QPushButton(QStringLiteral("Ok"), mPanel4);
    mButton1->setObjectName(QStringLiteral("Button1"));
    mButton1->setDefault(true);
    mButton2 = new QPushButton(QStringLiteral("Cancel"), mPanel4);
    mButton2->setObjectName(QStringLiteral("Button2"));
    buttons->addWidget(mButton1);
    buttons->addWidget(mButton2);
    buttonBar->addWidget(mPanel4);
    outer->addWidget(mPanel2);

    connect(mButton1, &QPushButton::clicked, this, &QDialog::accept);
    connect(mButton2, &QPushButton::clicked, this, &QDialog::reject);
    connect(mListBox1, &QListWidget::itemSelectionChanged, this, &TDesignSelectDialog::ListBox1Click);
    connect(mListBox1, &QListWidget::itemClicked, this, &TDesignSelectDialog::ListBox1Click);
    connect(mListBox1, &QListWidget::itemDoubleClicked, this, &TDesignSelectDialog::ListBox1DblClick);
    connect(mEdit1, &QLineEdit::textChanged, this, &TDesignSelectDialog::Edit1Change);
}

void TDesignSelectDialog::BuildGallery()
{
    mListBox1->setViewMode(QListView::IconMode);
    mListBox1->setMovement(QListView::Static);
    mListBox1->setDragEnabled(false);
    mListBox1->setWrapping(true);
    mListBox1->setResizeMode(QListView::Adjust);
    mListBox1->setUniformItemSizes(true);
    mListBox1->setSpacing(kGallerySpacing);
    mListBox1->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    mListBox1->setItemDelegate(new TDesignGalleryDelegate(
        [this](const QModelIndex &index) { PreviewWanted(index); }, mListBox1));
    // Previews asked for on the way past are not made: the cells now in
    // sight ask again when they are drawn.
    connect(mListBox1->verticalScrollBar(), &QScrollBar::valueChanged, mPreviews.get(),
            &TDesignPreviewQueue::DropWaiting);
    connect(mPreviews.get(), &TDesignPreviewQueue::Ready, this, &TDesignSelectDialog::PreviewReady);
}

QSize TDesignSelectDialog::GallerySize() const
{
    const QSize cell = TDesignGalleryDelegate::CellSize(mListBox1->font()) + QSize(kGallerySpacing, kGallerySpacing);
    const int frame = 2 * mListBox1->frameWidth();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, mListBox1);
    // The list takes what the window gains; the bars around it keep theirs.
    const QSize list = mListBox1->size();
    QSize wanted = size() - list
                   + QSize(kGalleryColumns * cell.width() + 3 * kGallerySpacing + frame + scrollBar,
                           kGalleryRows * cell.height() + 3 * kGallerySpacing + frame);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(screen->availableGeometry().size() * 9 / 10);
    return wanted.expandedTo(minimumSize());
}

void TDesignSelectDialog::PreviewWanted(const QModelIndex &index)
{
    mPreviews->Request(index.data(Qt::UserRole).toString());
}

void TDesignSelectDialog::PreviewReady(const QString &name, const QImage &image, const QString &author)
{
    QListWidgetItem *item = mItems.value(name);
    if (!item)
        return;
    item->setData(TDesignGalleryDelegate::AuthorRole, author);
    item->setData(Qt::AccessibleDescriptionRole, author);
    item->setData(Qt::DecorationRole, QPixmap::fromImage(image));
    item->setData(TDesignGalleryDelegate::FreshRole, true);
}

void TDesignSelectDialog::SetDesignName(const QString &name)
{
    if (mUpdating)
        return;
    mUpdating = true;
    mDesignName = name;
    QListWidgetItem *match = nullptr;
    for (int i = 0; i < mListBox1->count() && !match; ++i) {
        if (NameOf(mListBox1->item(i)).compare(name, Qt::CaseInsensitive) == 0)
            match = mListBox1->item(i);
    }
    if (match) {
        mListBox1->setCurrentItem(match);
        mListBox1->scrollToItem(match);
    } else {
        mListBox1->clearSelection();
        mListBox1->setCurrentRow(-1);
    }
    mButton1->setEnabled(match || mAllowNew);
    mLabel1->setVisible(mAllowNew && LooksLikeDefaultName(name));
    // Rewriting the same text would move the cursor while the user types.
    if (mEdit1->text() != name)
        mEdit1->setText(name);
    mUpdating = false;
}

bool TDesignSelectDialog::Execute(bool allowNew)
{
    mAllowNew = allowNew;
    mPanel5->setVisible(allowNew);
    return exec() == QDialog::Accepted;
}

void TDesignSelectDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TDesignSelectDialog::hideEvent(QHideEvent *event)
{
    // No one sees the previews still asked for.
    mPreviews->DropWaiting();
    QDialog::hideEvent(event);
}

void TDesignSelectDialog::FormShow()
{
    mUpdating = true; // refilling must not pick a name by itself
    // The last showing's previews stand in until each design's own as it
    // is now arrives, so that reopening shows no placeholders.
    mPreviews->DropWaiting();
    QHash<QString, QListWidgetItem *> shown;
    shown.swap(mItems);
    QList<QListWidgetItem *> items;
    for (const QString &name : mRoots.Names(true)) {
        QListWidgetItem *item = DesignItem(mRoots, name, DefaultCaption());
        if (const QListWidgetItem *before = shown.value(name)) {
            for (const int role : {int(Qt::DecorationRole), int(Qt::AccessibleDescriptionRole),
                                   TDesignGalleryDelegate::AuthorRole})
                item->setData(role, before->data(role));
        }
        items.append(item);
        mItems.insert(name, item);
    }
    mListBox1->clear();
    for (QListWidgetItem *item : items)
        mListBox1->addItem(item);
    mUpdating = false;
    if (!std::exchange(mGallerySized, true))
        resize(GallerySize());
    SetDesignName(mDesignName);
    CenterOnScreen();
    // The offered name is selected, so that typing replaces it.
    if (mAllowNew) {
        mEdit1->setFocus();
        mEdit1->selectAll();
    }
    else
        mListBox1->setFocus();
}

QString TDesignSelectDialog::DefaultCaption() const
{
    return QString(mDefaultItem->text()).remove(QLatin1Char('&'));
}

QListWidgetItem *TDesignSelectDialog::DesignItem(const TDesignRoots &roots, const QString &name,
                                                 const QString &defaultCaption)
{
    // A player's own design is marked; the tool tip says where it lives.
    const bool isDefault = !defaultCaption.isEmpty() && IsDefaultDesignName(name) && !roots.IsPlayers(name);
    auto *item = new QListWidgetItem(isDefault ? defaultCaption : roots.Caption(name));
    item->setData(Qt::UserRole, name);
    item->setToolTip(QDir::toNativeSeparators(roots.DirOf(name)));
    return item;
}

QString TDesignSelectDialog::NameOf(const QListWidgetItem *item)
{
    return item->data(Qt::UserRole).toString();
}

void TDesignSelectDialog::CenterOnScreen()
{
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TDesignSelectDialog::ListBox1Click()
{
    const auto selected = mListBox1->selectedItems();
    if (!selected.isEmpty())
        SetDesignName(NameOf(selected.first()));
}

void TDesignSelectDialog::ListBox1DblClick()
{
    const auto selected = mListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    SetDesignName(NameOf(selected.first()));
    accept();
}

void TDesignSelectDialog::Edit1Change()
{
    SetDesignName(mEdit1->text());
}
