#pragma once

#include "design/DesignFolder.h"
#include "design/DesignRoots.h"

#include <QDialog>

class QLabel;
class QListWidgetItem;

class QLineEdit;
class QListWidget;
class QPushButton;

// Lists the design folders for the editor's Open (an existing design) and
// Save as (an existing or a new name). The caller sets the current name
// with SetDesignName, runs Execute and, on true, reads DesignName.
class TDesignSelectDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TDesignSelectDialog(QWidget *parent = nullptr, TDesignRoots roots = TDesignRoots::Standard());

    const TDesignRoots &Roots() const { return mRoots; }
    void SetRoots(const TDesignRoots &roots) { mRoots = roots; }
    // The list's entry for design `name`, and the name an entry stands for.
    static QListWidgetItem *DesignItem(const TDesignRoots &roots, const QString &name);
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

    void FormShow();
    void ListBox1Click();
    void ListBox1DblClick();
    void Edit1Change();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildControls();
    void CenterOnScreen();

    TDesignRoots mRoots;
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
};
