#pragma once

#include "design/DesignFolder.h"
#include "design/DesignRoots.h"
#include "editor/ui/SoundPage.h"
#include "exchange/EmailDraft.h"

#include <QDialog>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QTabWidget;
class QToolButton;
class TDesignEditor;
class TDesignExchange;
class TEditorPrompts;
class TImagePage;
class TInfoPage;
class TKeyValueList;
class TLanguage;
class TPhotoPage;
class TUndoItems;

// The design editor window: a menu, a tool bar and four pages over the
// editor model, which holds the design and does the work. Closing, by any
// way, first asks whether unsaved changes are to be saved.
class TDesignParamDialog : public QDialog, private TEmailDraftHost
{
    Q_OBJECT

public:
    TDesignParamDialog(TEditorPrompts &prompts, TKeyValueList &settings, QWidget *parent = nullptr,
                       const TDesignRoots &roots = TDesignRoots::Standard());
    ~TDesignParamDialog() override;

    // Before showing: the design to open and the language to show it in.
    void SetDesignName(const QString &name);
    void SetLanguageFile(const QString &path);
    void SetPlaySound(TSoundPage::TPlaySound play);
    // Opens a file or folder with the desktop's program for it (the e-mail
    // draft, an archive's folder); when none could, shows `message` and
    // `path` over `over`, later if need be.
    using TOpenOrTell = std::function<void(QWidget *over, const QString &target, const QString &message,
                                           const QString &path)>;
    void SetOpenOrTell(TOpenOrTell open) { mOpenOrTell = std::move(open); }
    // The design current in the editor: the one the game takes over.
    QString DesignName() const override;

    TDesignEditor &Editor() { return *mEditor; }
    TLanguage &Language1() { return *mLanguage1; }
    const QString &BaseCaption() const { return mBaseCaption; }
    QTabWidget *PageControl1() const { return mPageControl1; }
    TPhotoPage *PicturesPage() const { return mTabSheet3; }
    TImagePage *ImagesPage() const { return mTabSheet1; }
    TSoundPage *SoundPage() const { return mTabSheet2; }
    TInfoPage *InfoPage() const { return mTabSheet4; }

    void FormShow();
    void FillControls();
    void UpdateCaption();

    void New1Click();
    void Open1Click();
    void Save1Click();
    void Saveas1Click();
    void Close1Click();
    void Undo1Click();
    void Redo1Click();
    void SaveAsZipClick();
    void ImportZipClick();
    void SaveAsEmailClick();

    // Esc, the close box and Close all end here: only when QuerySave agrees.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildMenu();
    void BuildToolBar();
    void BuildPages();
    QAction *AddCommand(QMenu *menu, const char *name, const char *caption, void (TDesignParamDialog::*handler)());
    void Run(void (TDesignParamDialog::*handler)());
    void SetHints();
    void SetDesignWritersEnabled(bool enabled);
    void RefillPages();

    // What the e-mail draft asks of this window.
    bool QuerySave() override;
    QString DesignDir() const override;
    void OpenDraft(const QString &path) override;
    void ShowError(const QString &message) override;

    std::unique_ptr<TDesignEditor> mEditor;
    std::unique_ptr<TDesignExchange> mExchange;
    // Declared after the editor: gone (its writer waited for) before it.
    std::unique_ptr<TEmailDraft> mEmailDraft;
    void OpenOrTell(const QString &target, const QString &message, const QString &path);

    TOpenOrTell mOpenOrTell;
    QString mBaseCaption;
    TUndoItems *mUndoItems = nullptr;
    bool mShown = false;
    // Owned by their Qt parent.
    TLanguage *mLanguage1 = nullptr;
    QWidget *mPanel2 = nullptr;
    QTabWidget *mPageControl1 = nullptr;
    TPhotoPage *mTabSheet3 = nullptr;
    TImagePage *mTabSheet1 = nullptr;
    TSoundPage *mTabSheet2 = nullptr;
    TInfoPage *mTabSheet4 = nullptr;
};
