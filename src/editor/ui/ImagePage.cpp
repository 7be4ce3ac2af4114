#include "editor/ui/ImagePage.h"

#include "editor/DesignEditor.h"
#include "editor/ui/PicturePreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QPushButton>
#include <QPalette>
#include <QScrollArea>
#include <QToolButton>

namespace {

// The colour fields in their places: top row, then bottom row.
struct TColourField {
    const char *Name;
    const char *Colour;
};
constexpr TColourField kFields[8] = {
    {"Panel12", "white"}, {"Panel10", "black"}, {"Panel22", "silver"}, {"Panel21", "gray"},
    {"Panel19", "red"},   {"Panel9", "blue"},   {"Panel20", "green"},  {"Panel1", "yellow"},
};

constexpr int kMaxPictureSize = 120;
constexpr int kPreviewSide = 130;

} // namespace

TImagePage::TImagePage(TDesignEditor &editor, QWidget *parent)
    : TEditorPage(editor, "TabSheet1", parent)
{
    auto *page = new QVBoxLayout(this);
    auto *layout = new QHBoxLayout;
    page->addLayout(layout, 1);
    // The whole width of the page: the offer is a sentence and a button.
    mFitLabel = Make<QLabel>("FitLabel");
    mFitLabel->setWordWrap(true);
    mFitButton = Make<QPushButton>("FitButton");
    mFitButton->setText(QStringLiteral("Fit"));
    auto *fitRow = new QHBoxLayout;
    fitRow->addWidget(mFitLabel, 1);
    fitRow->addWidget(mFitButton, 0, Qt::AlignVCenter);
    page->addLayout(fitRow);
    connect(mFitButton, &QPushButton::clicked, this, [this] { Guarded([this] { FitButtonClick(); }); });
    mListBox3 = Make<QListWidget>("ListBox3");
    mListBox3->addItems({QStringLiteral("Background"), QStringLiteral("Bomb"), QStringLiteral("Canon"),
                         QStringLiteral("CanonLeft"), QStringLiteral("Home"), QStringLiteral("Rocket"),
                         QStringLiteral("Ship"), QStringLiteral("ShipExplode"), QStringLiteral("CanonExplode"),
                         QStringLiteral("GameOver"), QStringLiteral("Title1"), QStringLiteral("Title2"),
                         QStringLiteral("Title3")});
    mListBox3->setAccessibleName(QStringLiteral("Pictures"));
    // As wide as its longest entry in the player's language, and no wider:
    // the previews beside it take the rest.
    mListBox3->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    mListBox3->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    layout->addWidget(mListBox3);
    layout->addWidget(BuildSettings());
    layout->addWidget(BuildPreviews(), 1);

    connect(mListBox3, &QListWidget::currentRowChanged, this, [this] { Guarded([this] { ListBox3Click(); }); });
    // Toggled, not clicked: the keyboard and assistive tools flip the box too.
    connect(mCheckBox1, &QCheckBox::toggled, this, [this] { Guarded([this] { CheckBox1Click(); }); });
    connect(mCheckBox2, &QCheckBox::toggled, this, [this] { Guarded([this] { ListBox3Click(); }); });
    connect(mCheckBox3, &QCheckBox::toggled, this, [this] { Guarded([this] { CheckBox3Click(); }); });
    connect(mEdit2, &QLineEdit::textChanged, this, [this] { Guarded([this] { Edit2Change(); }); });
    connect(mComboBox1, &QComboBox::currentTextChanged, this, [this] { Guarded([this] { ComboBox1Change(); }); });
}

QWidget *TImagePage::BuildSettings()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    mCheckBox1 = Make<QCheckBox>("CheckBox1", box);
    mCheckBox1->setText(QStringLiteral("animated"));
    mCheckBox2 = Make<QCheckBox>("CheckBox2", box);
    mCheckBox2->setText(QStringLiteral("show animation"));
    mCheckBox2->setChecked(true);
    mCheckBox3 = Make<QCheckBox>("CheckBox3", box);
    mCheckBox3->setText(QStringLiteral("loop animation"));
    mCheckBox3->setChecked(true);
    auto *label1 = Make<QLabel>("Label1", box);
    label1->setText(QStringLiteral("animation delay"));
    mEdit2 = Make<QLineEdit>("Edit2", box);
    label1->setBuddy(mEdit2);
    auto *label10 = Make<QLabel>("Label10", box);
    label10->setText(QStringLiteral("Size:"));
    mComboBox1 = Make<QComboBox>("ComboBox1", box);
    mComboBox1->setEditable(true);
    label10->setBuddy(mComboBox1);
    mLabel2 = Make<QLabel>("Label2", box);
    auto *label4 = Make<QLabel>("Label4", box);
    label4->setText(QStringLiteral("File:"));
    mLabel5 = Make<QLabel>("Label5", box);
    mLabel5->setWordWrap(true);
    auto *button3 = Make<QPushButton>("Button3", box);
    button3->setText(QStringLiteral("load"));
    auto *button4 = Make<QPushButton>("Button4", box);
    button4->setText(QStringLiteral("undo"));
    mMakeTitleButton = Make<QPushButton>("MakeTitleButton", box);
    mMakeTitleButton->setText(QStringLiteral("Make title"));

    mFillingSize = true;
    for (int size = 3; size <= kMaxPictureSize; ++size)
        mComboBox1->addItem(QString::number(size));
    mFillingSize = false;

    int row = 0;
    grid->addWidget(mCheckBox1, row++, 0, 1, 2);
    grid->addWidget(mCheckBox2, row++, 0, 1, 2);
    grid->addWidget(mCheckBox3, row++, 0, 1, 2);
    grid->addWidget(label1, row, 0);
    grid->addWidget(mEdit2, row++, 1);
    grid->addWidget(label10, row, 0);
    grid->addWidget(mComboBox1, row++, 1);
    grid->addWidget(mLabel2, row++, 1);
    grid->addWidget(label4, row, 0);
    grid->addWidget(mLabel5, row++, 1);
    grid->addWidget(BuildColours(), row++, 0, 1, 2);
    grid->addWidget(button3, row, 0);
    grid->addWidget(button4, row++, 1);
    grid->addWidget(mMakeTitleButton, row++, 0, 1, 2);
    grid->setRowStretch(row, 1);
    connect(button3, &QPushButton::clicked, this, [this] { Guarded([this] { Button3Click(); }); });
    connect(button4, &QPushButton::clicked, this, [this] { Guarded([this] { Button4Click(); }); });
    connect(mMakeTitleButton, &QPushButton::clicked, this, [this] { Guarded([this] { MakeTitleClick(); }); });
    return box;
}

QWidget *TImagePage::BuildColours()
{
    auto *box = new QWidget(this);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto *label7 = Make<QLabel>("Label7", box);
    label7->setText(QStringLiteral("background color"));
    column->addWidget(label7);
    auto *panel8 = Make<QWidget>("Panel8", box);
    auto *grid = new QGridLayout(panel8);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 8; ++i) {
        auto *field = Make<QToolButton>(kFields[i].Name, panel8);
        const QColor colour = TImageSlots::ColourOf(TImageSlots::FieldColours[i]);
        field->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray").arg(colour.name()));
        field->setFixedSize(22, 22);
        field->setAccessibleName(QString::fromLatin1(kFields[i].Colour));
        field->setToolTip(QString::fromLatin1(kFields[i].Colour));
        grid->addWidget(field, i / 4, i % 4);
        connect(field, &QToolButton::clicked, this, [this, i] { Guarded([this, i] { ColourFieldClick(i); }); });
    }
    column->addWidget(panel8);
    auto *button5 = Make<QPushButton>("Button5", box);
    button5->setText(QStringLiteral("..."));
    button5->setAccessibleName(QStringLiteral("Other colour"));
    connect(button5, &QPushButton::clicked, this, [this] { Guarded([this] { Button5Click(); }); });
    column->addWidget(button5);
    return box;
}

QWidget *TImagePage::BuildPreviews()
{
    auto *box = new QWidget(this);
    auto *column = new QVBoxLayout(box);
    auto *panel7 = Make<QWidget>("Panel7", box);
    auto *inGame = new QVBoxLayout(panel7);
    auto *label9 = Make<QLabel>("Label9", panel7);
    label9->setText(QStringLiteral("in game"));
    mImage3 = Make<TPicturePreview>("Image3", panel7);
    mImage3->setFixedSize(kPreviewSide, kPreviewSide);
    mImage3->setAccessibleName(QStringLiteral("in game"));
    inGame->addWidget(label9);
    inGame->addWidget(mImage3);

    auto *panel25 = Make<QWidget>("Panel25", box);
    auto *original = new QVBoxLayout(panel25);
    auto *label8 = Make<QLabel>("Label8", panel25);
    label8->setText(QStringLiteral("original"));
    mScrollBox1 = Make<QScrollArea>("ScrollBox1", panel25);
    mImage4 = new TPicturePreview;
    mImage4->setObjectName(QStringLiteral("Image4"));
    mImage4->setAccessibleName(QStringLiteral("original"));
    mImage4->SetSizeToPicture(true);
    mImage4->SetPlaying(false);
    mScrollBox1->setWidget(mImage4);
    mScrollBox1->setMinimumSize(kPreviewSide, kPreviewSide);
    original->addWidget(label8);
    original->addWidget(mScrollBox1, 1);
    column->addWidget(panel7);
    column->addWidget(panel25, 1);
    // Not "Label14": that is the Info page's "Size:", which a translation finds by name.
    mTitleHint = Make<QLabel>("TitleHint", box);
    mTitleHint->setWordWrap(true);
    column->addWidget(mTitleHint);
    return box;
}

void TImagePage::Fill()
{
    {
        const QSignalBlocker blocker(mListBox3);
        mListBox3->setCurrentRow(0);
    }
    ListBox3Click();
}

void TImagePage::Refill()
{
    {
        const QSignalBlocker blocker(mListBox3);
        mListBox3->setCurrentRow(mEditor.Images().Current());
    }
    ShowView();
}

void TImagePage::ListBox3Click()
{
    if (mRefreshingImage)
        return;
    mEditor.Images().Select(mListBox3->currentRow());
    ShowView();
}

void TImagePage::ShowView()
{
    mRefreshingImage = true;
    const TImageSlots &images = mEditor.Images();
    const TImageView &view = images.View();
    mImage3->SetBackdrop(images.Backdrop());
    mImage4->SetBackdrop(images.Backdrop());
    FillScrollBox(images.Backdrop());
    mImage4->SetPicture(images.Original());
    // Titles are made on their own pages; the game never repeats them.
    const bool title = images.Current() >= TImageSlots::FirstTitle;
    mMakeTitleButton->setVisible(title);
    mCheckBox3->setEnabled(images.Current() < TImageSlots::GameOver);
    mTitleHint->setText(mEditor.TitleHint());
    mTitleHint->setVisible(!mTitleHint->text().isEmpty());
    if (view.Colour) {
        mImage3->SetSolid(*view.Colour);
        mImage4->SetSolid(*view.Colour);
        mImage4->setFixedSize(mImage3->size());
        mLabel5->clear();
        mLabel2->clear();
        mCheckBox1->setChecked(false);
        ShowFitOffer();
        mRefreshingImage = false;
        return;
    }
    mLabel5->setText(view.FileLabel);
    mImage3->SetPicture(view.InGame, view.Delay, view.Loop);
    mImage3->SetPlaying(mCheckBox2->isChecked());
    mCheckBox1->setChecked(view.Animated);
    mFillingSize = true;
    mComboBox1->setCurrentText(QString::number(view.LongerSide));
    mFillingSize = false;
    mLabel2->setText(view.SizeLabel);
    mFillingDelay = true;
    mEdit2->setText(QString::number(view.Delay));
    mFillingDelay = false;
    mCheckBox3->setChecked(view.Loop);
    ShowFitOffer();
    mRefreshingImage = false;
}

void TImagePage::ShowFitOffer()
{
    const QString note = mEditor.FitNote();
    mFitLabel->setText(note);
    mFitLabel->setVisible(!note.isEmpty());
    mFitButton->setVisible(!note.isEmpty());
}

// The picture is often smaller than the scroll box: the area around it
// shows the chosen backdrop as well.
void TImagePage::FillScrollBox(const QColor &colour)
{
    QWidget *viewport = mScrollBox1->viewport();
    QPalette palette = viewport->palette();
    palette.setColor(QPalette::Window, colour);
    viewport->setPalette(palette);
    viewport->setBackgroundRole(QPalette::Window);
    viewport->setAutoFillBackground(true);
}

void TImagePage::CheckBox1Click()
{
    if (mRefreshingImage || mEditor.Images().Current() < 0)
        return;
    mEditor.MakeStill(mComboBox1->currentText());
    ShowView();
}

void TImagePage::CheckBox3Click()
{
    if (mRefreshingImage)
        return;
    mEditor.SetLoop(mCheckBox3->isChecked());
    mImage3->SetLoop(mCheckBox3->isChecked());
}

void TImagePage::Edit2Change()
{
    if (mFillingDelay || mEditor.Images().Current() < 0)
        return;
    mEditor.SetDelay(mEdit2->text());
    mImage3->SetDelay(NumberOr(mEdit2->text(), 0));
}

void TImagePage::ComboBox1Change()
{
    if (mFillingSize || mEditor.Images().Current() < 0)
        return;
    mEditor.ResizePicture(mComboBox1->currentText());
    // Keeps the typed text as it stands while the user edits the field.
    const QSignalBlocker blocker(mComboBox1);
    ShowView();
}

void TImagePage::ColourFieldClick(int field)
{
    mEditor.PickColour(TImageSlots::ColourOf(TImageSlots::FieldColours[field]));
    ShowView();
}

void TImagePage::Button5Click()
{
    if (mEditor.ChooseColour())
        ShowView();
}

void TImagePage::Button3Click()
{
    if (mEditor.Images().Current() >= 0 && mEditor.LoadPicture())
        ShowView();
}

void TImagePage::Button4Click()
{
    mEditor.ReloadPicture();
    ShowView();
}

void TImagePage::MakeTitleClick()
{
    if (mEditor.MakeTitle())
        ShowView();
}

void TImagePage::FitButtonClick()
{
    mEditor.FitPicture();
    ShowView();
}
