#pragma once

#include "design/DesignFolder.h"
#include "design/DesignRoots.h"

#include <QDialog>
#include <QHash>

#include <memory>

class QLabel;
class QListWidgetItem;

class QLineEdit;
class QListWidget;
class QPushButton;
class TDesignPreviewQueue;

// Lists the design folders for the game's gallery and the editor's Open
// (an existing design) and Save as (an existing or a new name), each with
// a preview, its name and its author. The caller sets the current name
// with SetDesignName, runs Execute and, on true, reads DesignName.
class TDesignSelectDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TDesignSelectDialog(QWidget *parent = nullptr, TDesignRoots roots = TDesignRoots::Standard());
    ~TDesignSelectDialog() override;

    const TDesignRoots &Roots() const { return mRoots; }
    void SetRoots(const TDesignRoots &roots);
    // The list's entry for design `name`, and the name an entry stands for.
    // Default shows as `defaultCaption` (the Design menu's words for it).
    static QListWidgetItem *DesignItem(const TDesignRoots &roots, const QString &name,
                                       const QString &defaultCaption = {});
    static QString NameOf(const QListWidgetItem *item);
    bool Updating() const { return mUpdating; }
    const QString &DesignName() const { return mDesignName; }
    bool AllowNew() const { return mAllowNew; }

    // Selects the entry of that name (letter case ignored) or none, and
    // enables Ok when the name is listed or new names are allowed.
    void SetDesignName(const QString &name);
    bool Execute(bool allowNew);

    QListWidget *ListBox1() const { return mListBox1; }
    QLineEdit *Edit1() const { return mEdit1; }
    QPushButton *Button1() const { return mButton1; }
    QPushButton *Button2() const { return mButton2; }
    QWidget *Panel5() const { return mPanel5; }
    QLabel *Label1() const { return mLabel1; }
    // Default's entry in the player's language, as the Design menu names it.
    QString DefaultCaption() const;

    void FormShow();
    void ListBox1Click();
    void ListBox1DblClick();
    void Edit1Change();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void BuildControls();
    void BuildGallery();
    void CenterOnScreen();
    // Room for a few rows of previews, within the screen.
    QSize GallerySize() const;
    void PreviewWanted(const QModelIndex &index);
    void PreviewReady(const QString &name, const QImage &image, const QString &author);

    TDesignRoots mRoots;
    // Only its translated caption is used.
    QAction *mDefaultItem = nullptr;
    bool mUpdating = false;
    QString mDesignName;
    bool mAllowNew = false;
    QWidget *mPanel2 = nullptr;
    QPushButton *mButton1 = nullptr;
    QPushButton *mButton2 = nullptr;
    QWidget *mPanel4 = nullptr;
    QWidget *mPanel3 = nullptr;
    QListWidget *mListBox1 = nullptr;
    QWidget *mPanel5 = nullptr;
    QLabel *mLabel1 = nullptr;
    QLineEdit *mEdit1 = nullptr;
    std::unique_ptr<TDesignPreviewQueue> mPreviews;
    // The entries of the list as last filled, by design name.
    QHash<QString, QListWidgetItem *> mItems;
    bool mGallerySized = false;
};
