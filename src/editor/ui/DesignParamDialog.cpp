#include "editor/ui/DesignParamDialog.h"

#include "base/ErrorReport.h"
#include "editor/DesignEditor.h"
#include "editor/DesignExchange.h"
#include "editor/ui/ImagePage.h"
#include "editor/ui/InfoPage.h"
#include "editor/ui/PhotoPage.h"
#include "editor/ui/SoundPage.h"
#include "editor/ui/ToolGlyphs.h"
#include "editor/ui/UndoItems.h"
#include "design/ui/PathNotice.h"
#include "exchange/DesignArchive.h"
#include "lang/ui/Language.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScopeGuard>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QListWidget>
#include <QUndoStack>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QStringList kTranslatedProperties = [] {
    QStringList paths;
    for (const char *name : {"File1", "New1", "Open1", "Save1", "Saveas1", "Close1", "Exchange1", "SaveasZIP1",
                             "ImportfromZIP1", "SaveasEMail1", "TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4",
                             "Label4", "Label7", "Label12", "Label13", "Button1", "Button2", "BitBtn1", "Button3",
                             "Button4", "Label3", "Label10", "Label1", "CheckBox1", "CheckBox2", "CheckBox3", "Label9",
                             "Label8", "Edit1", "Undo1", "Redo1", "FitButton", "Label11", "Label17", "Label6",
                             "Label14", "Label18", "MakeTitleButton"})
        paths << QStringLiteral("DesignParamDialog.%1.Caption").arg(QLatin1String(name));
    for (const char *name : {"SpeedButton5", "SpeedButton6", "ComboBox2"})
        paths << QStringLiteral("DesignParamDialog.%1.ToolTip").arg(QLatin1String(name));
    paths << QStringLiteral("DesignParamDialog.Caption") << QStringLiteral("DesignParamDialog.Listbox2.Items")
          << QStringLiteral("DesignParamDialog.Listbox3.Items");
    return paths;
}();

// The tool-bar buttons: name, glyph, the menu item whose caption is its hint.
struct TToolButtonDef {
    const char *Name;
    TToolGlyph Glyph;
    const char *Item;
};
constexpr TToolButtonDef kToolButtons[6] = {
    {"SpeedButton1", TToolGlyph::New, "New1"},           {"SpeedButton2", TToolGlyph::Open, "Open1"},
    {"SpeedButton3", TToolGlyph::Save, "Save1"},         {"SpeedButton4", TToolGlyph::SaveZip, "SaveasZIP1"},
    {"SpeedButton8", TToolGlyph::ImportZip, "ImportfromZIP1"}, {"SpeedButton7", TToolGlyph::Mail, "SaveasEMail1"},
};

QStringList ItemTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text().trimmed();
    return texts;
}

QString WithoutFirstAmpersand(QString text)
{
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    if (at >= 0)
        text.remove(at, 1);
    return text;
}

} // namespace

TDesignParamDialog::TDesignParamDialog(TEditorPrompts &prompts, TKeyValueList &settings, QWidget *parent,
                                       const TDesignRoots &roots)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DesignParamDialog"));
    setWindowTitle(QStringLiteral("DesignParamDialog"));
    mLanguage1 = new TLanguage(this);
    mLanguage1->setObjectName(QStringLiteral("Language1"));
    mLanguage1->SetSeparator(QStringLiteral(";"));
    mLanguage1->SetProperties(kTranslatedProperties);
    mEditor = std::make_unique<TDesignEditor>(prompts, mLanguage1->Messages(), settings, roots);
    mExchange = std::make_unique<TDesignExchange>(*mEditor, prompts, mLanguage1->Messages(), settings);
    mEmailDraft = std::make_unique<TEmailDraft>(static_cast<TEmailDraftHost &>(*this), PackDesignFolder);
    connect(mEmailDraft.get(), &TEmailDraft::Done, this, [this] { SetDesignWritersEnabled(true); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildMenu();
    BuildToolBar();
    BuildPages();
    layout->addWidget(mPanel2);
    layout->addWidget(mPageControl1, 1);
    // The editor has no default button: Enter in a field confirms that
    // field, it must not press "Load..." and open a file dialog.
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    resize(528, 431);
}

TDesignParamDialog::~TDesignParamDialog() = default;

void TDesignParamDialog::Run(void (TDesignParamDialog::*handler)())
{
    ErrorReport::Guard([&] { (this->*handler)(); });
}

QAction *TDesignParamDialog::AddCommand(QMenu *menu, const char *name, const char *caption,
                                        void (TDesignParamDialog::*handler)())
{
    QAction *action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { Run(handler); });
    return action;
}

void TDesignParamDialog::BuildMenu()
{
    auto *menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("MainMenu1"));
    layout()->setMenuBar(menuBar);
    QMenu *file1 = menuBar->addMenu(QStringLiteral("File"));
    file1->menuAction()->setObjectName(QStringLiteral("File1"));
    // The keys every desktop program uses for these, whatever the platform
    // theme says (some have none for Save as).
    AddCommand(file1, "New1", "&New", &TDesignParamDialog::New1Click)->setShortcut(Qt::CTRL | Qt::Key_N);
    AddCommand(file1, "Open1", "&Open", &TDesignParamDialog::Open1Click)->setShortcut(Qt::CTRL | Qt::Key_O);
    AddCommand(file1, "Save1", "&Save", &TDesignParamDialog::Save1Click)->setShortcut(Qt::CTRL | Qt::Key_S);
    AddCommand(file1, "Saveas1", "Save &as", &TDesignParamDialog::Saveas1Click)
        ->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    file1->addSeparator();
    AddCommand(file1, "Close1", "&Close", &TDesignParamDialog::Close1Click);
    QMenu *edit1 = menuBar->addMenu(QStringLiteral("Edit"));
    edit1->menuAction()->setObjectName(QStringLiteral("Edit1"));
    // Added one after the other: as two arguments of one call their order would be the compiler's.
    QAction *undo1 = AddCommand(edit1, "Undo1", "&Undo", &TDesignParamDialog::Undo1Click);
    QAction *redo1 = AddCommand(edit1, "Redo1", "&Redo", &TDesignParamDialog::Redo1Click);
    mUndoItems = new TUndoItems(undo1, redo1, mEditor->History().Stack(), this);
    QMenu *exchange1 = menuBar->addMenu(QStringLiteral("Exchange"));
    exchange1->menuAction()->setObjectName(QStringLiteral("Exchange1"));
    AddCommand(exchange1, "SaveasZIP1", "Save as ZIP", &TDesignParamDialog::SaveAsZipClick);
    AddCommand(exchange1, "ImportfromZIP1", "Import from ZIP", &TDesignParamDialog::ImportZipClick);
    exchange1->addSeparator();
    AddCommand(exchange1, "SaveasEMail1", "Save as EMail", &TDesignParamDialog::SaveAsEmailClick);
}

void TDesignParamDialog::BuildToolBar()
{
    mPanel2 = new QWidget(this);
    mPanel2->setObjectName(QStringLiteral("Panel2"));
    mPanel2->setFixedHeight(33);
    auto *row = new QHBoxLayout(mPanel2);
    row->setContentsMargins(4, 2, 4, 2);
    for (const TToolButtonDef &def : kToolButtons) {
        auto *item = findChild<QAction *>(QString::fromLatin1(def.Item));
        auto *button = new QToolButton(mPanel2);
        button->setObjectName(QString::fromLatin1(def.Name));
        button->setIcon(ToolGlyph(def.Glyph));
        button->setAutoRaise(true);
        button->setEnabled(item->isEnabled());
        connect(item, &QAction::enabledChanged, button, &QToolButton::setEnabled);
        connect(button, &QToolButton::clicked, item, &QAction::trigger);
        row->addWidget(button);
        if (def.Glyph == TToolGlyph::Save)
            row->addSpacing(12);
    }
    row->addStretch(1);
    SetHints();
}

void TDesignParamDialog::SetHints()
{
    for (const TToolButtonDef &def : kToolButtons) {
        const QString hint = WithoutFirstAmpersand(findChild<QAction *>(QString::fromLatin1(def.Item))->text());
        auto *button = mPanel2->findChild<QToolButton *>(QString::fromLatin1(def.Name));
        button->setToolTip(hint);
        button->setAccessibleName(hint);
    }
}

void TDesignParamDialog::BuildPages()
{
    mPageControl1 = new QTabWidget(this);
    mPageControl1->setObjectName(QStringLiteral("PageControl1"));
    mTabSheet3 = new TPhotoPage(*mEditor, mPageControl1);
    mTabSheet1 = new TImagePage(*mEditor, mPageControl1);
    mTabSheet2 = new TSoundPage(*mEditor, mPageControl1);
    mTabSheet4 = new TInfoPage(*mEditor, mPageControl1);
    mPageControl1->addTab(mTabSheet3, QStringLiteral("Pictures"));
    mPageControl1->addTab(mTabSheet1, QStringLiteral("Images"));
    mPageControl1->addTab(mTabSheet2, QStringLiteral("Sound"));
    mPageControl1->addTab(mTabSheet4, QStringLiteral("Info"));
    // A change on one page may change what another shows: photos move the
    // field, and with it the Background's size and the field's size.
    connect(mPageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (auto *page = qobject_cast<TEditorPage *>(mPageControl1->widget(index)); page && mShown)
            ErrorReport::Guard([page] { page->Refill(); });
    });
}

void TDesignParamDialog::SetDesignName(const QString &name)
{
    mEditor->EditedDesign().SetDesignName(name);
}

QString TDesignParamDialog::DesignName() const
{
    return mEditor->EditedDesign().DesignName();
}

void TDesignParamDialog::SetLanguageFile(const QString &path)
{
    mLanguage1->SetLanguageFile(path);
}

void TDesignParamDialog::SetPlaySound(TSoundPage::TPlaySound play)
{
    mTabSheet2->SetPlaySound(std::move(play));
}

void TDesignParamDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (std::exchange(mShown, true))
        return;
    Run(&TDesignParamDialog::FormShow);
}

void TDesignParamDialog::FormShow()
{
    try {
        mLanguage1->Translate();
    } catch (const std::exception &) {
        // A language file that cannot be applied leaves the built-in captions.
    }
    mBaseCaption = windowTitle();
    mUndoItems->TakeCaptions();
    SetHints();
    mEditor->SetNames(ItemTexts(mTabSheet1->ListBox3()), ItemTexts(mTabSheet2->ListBox2()));
    mEditor->Load(DesignName());
    FillControls();
}

void TDesignParamDialog::UpdateCaption()
{
    setWindowTitle(mEditor->Caption(mBaseCaption));
}

void TDesignParamDialog::FillControls()
{
    UpdateCaption();
    mTabSheet3->Fill();
    mTabSheet2->Fill();
    mTabSheet1->Fill();
    mTabSheet4->Fill();
}

void TDesignParamDialog::New1Click()
{
    if (mEditor->New())
        FillControls();
}

void TDesignParamDialog::Open1Click()
{
    if (mEditor->Open())
        FillControls();
}

void TDesignParamDialog::Save1Click()
{
    if (mEditor->Save())
        RefillPages();
    UpdateCaption();
}

void TDesignParamDialog::Saveas1Click()
{
    if (mEditor->SaveAs())
        RefillPages();
    UpdateCaption();
}

void TDesignParamDialog::Undo1Click()
{
    mEditor->History().Stack().undo();
    RefillPages();
}

void TDesignParamDialog::Redo1Click()
{
    mEditor->History().Stack().redo();
    RefillPages();
}

void TDesignParamDialog::RefillPages()
{
    UpdateCaption();
    for (TEditorPage *page : {static_cast<TEditorPage *>(mTabSheet3), static_cast<TEditorPage *>(mTabSheet1),
                              static_cast<TEditorPage *>(mTabSheet2), static_cast<TEditorPage *>(mTabSheet4)})
        page->Refill();
}

void TDesignParamDialog::Close1Click()
{
    close();
}

void TDesignParamDialog::SaveAsZipClick()
{
    mExchange->SaveAsZip([this](const QString &folder, const QString &message, const QString &path) {
        OpenOrTell(folder, message, path);
    });
}

void TDesignParamDialog::ImportZipClick()
{
    if (mExchange->ImportFromZip())
        FillControls();
}

void TDesignParamDialog::SaveAsEmailClick()
{
    // The window keeps taking commands while the draft is written: the
    // command itself and whatever would rewrite a design folder wait for it.
    const auto follow = qScopeGuard([this] { SetDesignWritersEnabled(!mEmailDraft->Busy()); });
    mEmailDraft->Run();
}

void TDesignParamDialog::SetDesignWritersEnabled(bool enabled)
{
    for (const char *name : {"Save1", "Saveas1", "ImportfromZIP1", "SaveasEMail1"})
        findChild<QAction *>(QString::fromLatin1(name))->setEnabled(enabled);
}

bool TDesignParamDialog::QuerySave()
{
    return mEditor->QuerySave();
}

QString TDesignParamDialog::DesignDir() const
{
    return mEditor->EditedDesign().DesignDir();
}

void TDesignParamDialog::OpenDraft(const QString &path)
{
    // The draft stays either way: the player can still attach its archive,
    // which lies beside it, by hand.
    OpenOrTell(path, mLanguage1->LookupMessage(QStringLiteral("DraftNotOpened")),
               QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
}

void TDesignParamDialog::OpenOrTell(const QString &target, const QString &message, const QString &path)
{
    if (mOpenOrTell) {
        mOpenOrTell(this, target, message, path);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(target)))
        ShowPathNotice(this, {message, path, mLanguage1->LookupMessage(QStringLiteral("CopyPath"))});
}

void TDesignParamDialog::ShowError(const QString &message)
{
    ErrorReport::Show(message);
}

void TDesignParamDialog::reject()
{
    bool mayClose = false;
    ErrorReport::Guard([&] { mayClose = mEditor->CanClose(); });
    if (mayClose)
        QDialog::reject();
}
