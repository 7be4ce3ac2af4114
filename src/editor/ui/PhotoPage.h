#pragma once

#include "editor/ui/EditorPage.h"

class QComboBox;
class QLabel;
class QListWidget;
class QToolButton;
class TPicturePreview;

// The Pictures page: the photos that become the ships, a preview of the
// current one at the photo size, and that size.
class TPhotoPage : public TEditorPage
{
    Q_OBJECT

public:
    TPhotoPage(TDesignEditor &editor, QWidget *parent);

    void Fill() override;
    void Refill() override;

    void SpeedButton5Click();
    void SpeedButton6Click();
    void ListBox1Click();
    void ComboBox2Exit();

    QListWidget *ListBox1() const { return mListBox1; }
    QComboBox *ComboBox2() const { return mComboBox2; }
    TPicturePreview *Image1() const { return mImage1; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowEntries(int current);
    void PhotosDragged();
    // Ctrl+Up (-1) and Ctrl+Down (1): the current photo one place on.
    void MoveCurrent(int by);

    bool mFillingPhotoSize = false;
    QListWidget *mListBox1 = nullptr;
    QComboBox *mComboBox2 = nullptr;
    TPicturePreview *mImage1 = nullptr;
    QToolButton *mSpeedButton5 = nullptr;
    QToolButton *mSpeedButton6 = nullptr;
};
