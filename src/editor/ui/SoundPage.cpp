#include "editor/ui/SoundPage.h"

#include "editor/DesignEditor.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

TSoundPage::TSoundPage(TDesignEditor &editor, QWidget *parent)
    : TEditorPage(editor, "TabSheet2", parent)
{
    auto *grid = new QGridLayout(this);
    auto *label12 = Make<QLabel>("Label12");
    label12->setText(QStringLiteral("Sound effects"));
    mListBox2 = Make<QListWidget>("ListBox2");
    mListBox2->addItems({QStringLiteral("Canon shot"), QStringLiteral("Ship explode    "),
                         QStringLiteral("Ships move down"), QStringLiteral("New level"),
                         QStringLiteral("Canon explode"), QStringLiteral("Game over"),
                         QStringLiteral("StartGame")});
    label12->setBuddy(mListBox2);
    mListBox2->setAccessibleName(QStringLiteral("Sound effects"));
    mEdit3 = Make<QLineEdit>("Edit3");
    mEdit3->setReadOnly(true);
    mEdit3->setFrame(false);
    // Read-only: it takes the page's colour, not an edit field's.
    QPalette palette = mEdit3->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    mEdit3->setPalette(palette);
    mEdit3->setAccessibleName(QStringLiteral("Sound file"));
    mButton1 = Make<QPushButton>("Button1");
    mButton1->setText(QStringLiteral("play"));
    auto *button2 = Make<QPushButton>("Button2");
    button2->setText(QStringLiteral("load"));
    auto *bitBtn1 = Make<QPushButton>("BitBtn1");
    bitBtn1->setText(QStringLiteral("set to default"));

    grid->addWidget(label12, 0, 0);
    grid->addWidget(mListBox2, 1, 0, 4, 1);
    grid->addWidget(mButton1, 1, 1);
    grid->addWidget(button2, 2, 1);
    grid->addWidget(bitBtn1, 3, 1);
    grid->addWidget(mEdit3, 5, 0, 1, 2);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(0, 1);

    connect(mListBox2, &QListWidget::currentRowChanged, this, [this] { Guarded([this] { ListBox2Click(); }); });
    connect(mButton1, &QPushButton::clicked, this, [this] { Guarded([this] { Button1Click(); }); });
    connect(button2, &QPushButton::clicked, this, [this] { Guarded([this] { Button2Click(); }); });
    connect(bitBtn1, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn1Click(); }); });
}

int TSoundPage::Cue() const
{
    const int row = mListBox2->currentRow();
    return row >= 0 && row < TSoundFiles::Count ? row + 1 : 0;
}

void TSoundPage::Fill()
{
    {
        const QSignalBlocker blocker(mListBox2);
        mListBox2->setCurrentRow(0);
    }
    ListBox2Click();
    mButton1->setEnabled(mEditor.CanPlaySounds());
}

void TSoundPage::Refill()
{
    ListBox2Click();
}

void TSoundPage::ListBox2Click()
{
    const int cue = Cue();
    mEdit3->setText(cue ? mEditor.Sounds().File(cue) : QString());
}

void TSoundPage::Button1Click()
{
    if (Cue() && mPlaySound)
        mPlaySound(mEditor.Sounds().PlayableFile(Cue()));
}

void TSoundPage::Button2Click()
{
    if (!Cue() || !mEditor.LoadSound(Cue()))
        return;
    ListBox2Click();
    mButton1->setFocus();
}

void TSoundPage::BitBtn1Click()
{
    if (!Cue())
        return;
    mEditor.SetSoundToDefault(Cue());
    ListBox2Click();
    mButton1->setFocus();
}
