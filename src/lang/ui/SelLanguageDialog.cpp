#include "lang/ui/SelLanguageDialog.h"

#include "base/FileNames.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

// What the dialog asks when the highlighted language's file does not say.
const QString DefaultTitle = QStringLiteral("Select Language");
const QString DefaultPrompt = QStringLiteral("Choose the language of the menus and messages:");

} // namespace

TSelLanguageDialog::TSelLanguageDialog(QWidget *parent, const QString &folder)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint
                          | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("SelLanguageDialog"));
    setWindowTitle(DefaultTitle);
    SetFolder(folder);

    Label1 = new QLabel(DefaultPrompt, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ListBox1->setFixedSize(240, 180);
    Label1->setBuddy(ListBox1);

    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBox1, &QListWidget::currentRowChanged, this, &TSelLanguageDialog::SelectionStep);
    connect(ListBox1, &QListWidget::itemSelectionChanged, this,
            &TSelLanguageDialog::SelectionStep);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            &TSelLanguageDialog::ListBox1DblClick);
}

void TSelLanguageDialog::SetFolder(const QString &folder)
{
    mFolder = folder.isEmpty() ? ProgramDataDir() : folder;
}

bool TSelLanguageDialog::Execute()
{
    mPresetLanguage = mSelectedLanguage;
    const bool accepted = exec() == QDialog::Accepted;
    // Clicks in a cancelled dialog must not change what the caller reads.
    if (!accepted)
        mSelectedLanguage = mPresetLanguage;
    return accepted;
}

void TSelLanguageDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        FillList();
        CenterOnScreen();
    }
    QDialog::showEvent(event);
}

void TSelLanguageDialog::CenterOnScreen()
{
    if (const QScreen *display = screen()) {
        adjustSize();
        move(display->availableGeometry().center() - rect().center());
    }
}

void TSelLanguageDialog::FillList()
{
    const QSignalBlocker blocker(ListBox1);
    ListBox1->clear();
    mOffered = OfferedLanguages(mFolder);
    int row = -1;
    for (const TOfferedLanguage &language : mOffered) {
        auto *item = new QListWidgetItem(language.OwnName, ListBox1);
        item->setData(Qt::UserRole, language.Name);
        if (row < 0 && language.Name.compare(mSelectedLanguage, Qt::CaseInsensitive) == 0)
            row = ListBox1->count() - 1;
    }
    ListBox1->setCurrentRow(row);
    SelectionStep();
}

void TSelLanguageDialog::SelectionStep()
{
    const QListWidgetItem *item = ListBox1->currentItem();
    const bool chosen = item && item->isSelected();
    mSelectedLanguage = chosen ? item->data(Qt::UserRole).toString() : QString();
    Button1->setEnabled(!mSelectedLanguage.isEmpty());
    ShowQuestionIn(chosen ? &mOffered.at(ListBox1->row(item)) : nullptr);
}

void TSelLanguageDialog::ShowQuestionIn(const TOfferedLanguage *language)
{
    const auto text = [&](QString TOfferedLanguage::*field, const QString &fallback) {
        return language && !(language->*field).isEmpty() ? language->*field : fallback;
    };
    setWindowTitle(text(&TOfferedLanguage::Title, DefaultTitle));
    Label1->setText(text(&TOfferedLanguage::Prompt, DefaultPrompt));
    Button1->setText(text(&TOfferedLanguage::Ok, QStringLiteral("Ok")));
    Button2->setText(text(&TOfferedLanguage::Cancel, QStringLiteral("Cancel")));
}

void TSelLanguageDialog::ListBox1DblClick()
{
    SelectionStep();
    if (Button1->isEnabled())
        accept();
}
