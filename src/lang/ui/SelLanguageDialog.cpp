#include "lang/ui/SelLanguageDialog.h"

#include "base/FileNames.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const QString LanguageExtension = QStringLiteral(".lng");

} // namespace

TSelLanguageDialog::TSelLanguageDialog(QWidget *parent, const QString &folder)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint
                          | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("SelLanguageDialog"));
    setWindowTitle(QStringLiteral("Select Language"));
    SetFolder(folder);

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
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ListBox1->setFixedSize(240, 160);

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

QStringList TSelLanguageDialog::ListLanguages(const QString &folder)
{
    // Files made on Windows may say ".LNG"; the directory order on Linux is
    // arbitrary, so the names are sorted for the reader.
    QStringList names;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        if (entry.isFile() && name.endsWith(LanguageExtension, Qt::CaseInsensitive))
            names.append(name.left(name.size() - LanguageExtension.size()));
    }
    names.sort(Qt::CaseInsensitive);
    return names;
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
    ListBox1->addItems(ListLanguages(mFolder));
    int row = -1;
    for (int i = 0; i < ListBox1->count() && row < 0; ++i) {
        if (ListBox1->item(i)->text().compare(mSelectedLanguage, Qt::CaseInsensitive) == 0)
            row = i;
    }
    ListBox1->setCurrentRow(row);
    SelectionStep();
}

void TSelLanguageDialog::SelectionStep()
{
    const QListWidgetItem *item = ListBox1->currentItem();
    mSelectedLanguage = item && item->isSelected() ? item->text() : QString();
    Button1->setEnabled(!mSelectedLanguage.isEmpty());
}

void TSelLanguageDialog::ListBox1DblClick()
{
    SelectionStep();
    if (Button1->isEnabled())
        accept();
}
