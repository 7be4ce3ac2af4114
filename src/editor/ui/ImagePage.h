#pragma once

#include "editor/ui/EditorPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class TPicturePreview;

// The Images page: the pictures of the game, its game-over and titles, their animation
// settings, size and source file, the background colour, and two
// previews: as the game shows it (animated) and the original.
class TImagePage : public TEditorPage
{
    Q_OBJECT

public:
    TImagePage(TDesignEditor &editor, QWidget *parent);

    void Fill() override;
    // After an undo: the picture the model has current, as it is now.
    void Refill() override;

    void ListBox3Click();
    void CheckBox1Click();
    void CheckBox3Click();
    void Edit2Change();
    void ComboBox1Change();
    void ColourFieldClick(int field);
    void Button5Click();
    void Button3Click();
    void Button4Click();
    void FitButtonClick();
    void MakeTitleClick();

    QListWidget *ListBox3() const { return mListBox3; }
    QCheckBox *CheckBox1() const { return mCheckBox1; }
    QCheckBox *CheckBox2() const { return mCheckBox2; }
    QCheckBox *CheckBox3() const { return mCheckBox3; }
    QLineEdit *Edit2() const { return mEdit2; }
    QComboBox *ComboBox1() const { return mComboBox1; }
    QLabel *Label2() const { return mLabel2; }
    QLabel *Label5() const { return mLabel5; }
    TPicturePreview *Image3() const { return mImage3; }
    TPicturePreview *Image4() const { return mImage4; }
    QLabel *FitLabel() const { return mFitLabel; }
    QPushButton *FitButton() const { return mFitButton; }
    QLabel *TitleHint() const { return mTitleHint; }
    QPushButton *MakeTitleButton() const { return mMakeTitleButton; }

private:
    QWidget *BuildSettings();
    QWidget *BuildColours();
    QWidget *BuildPreviews();
    // Writes the controls from the model's view of the current picture.
    void ShowView();
    void FillScrollBox(const QColor &colour);
    void ShowFitOffer();

    bool mRefreshingImage = false;
    bool mFillingDelay = false;
    bool mFillingSize = false;
    QListWidget *mListBox3 = nullptr;
    QCheckBox *mCheckBox1 = nullptr;
    QCheckBox *mCheckBox2 = nullptr;
    QCheckBox *mCheckBox3 = nullptr;
    QLineEdit *mEdit2 = nullptr;
    QComboBox *mComboBox1 = nullptr;
    QLabel *mLabel2 = nullptr;
    QLabel *mLabel5 = nullptr;
    TPicturePreview *mImage3 = nullptr;
    TPicturePreview *mImage4 = nullptr;
    QScrollArea *mScrollBox1 = nullptr;
    QLabel *mFitLabel = nullptr;
    QPushButton *mFitButton = nullptr;
    QLabel *mTitleHint = nullptr;
    QPushButton *mMakeTitleButton = nullptr;
};
