#pragma once

#include "editor/ui/EditorPage.h"

#include <functional>

class QLineEdit;
class QListWidget;
class QPushButton;

// The Sound page: the wave file of each of the seven cues, to play, load
// or set back to the Default design's.
class TSoundPage : public TEditorPage
{
    Q_OBJECT

public:
    // Plays a wave file as a preview; not set: "play" does nothing.
    using TPlaySound = std::function<void(const QString &file)>;

    TSoundPage(TDesignEditor &editor, QWidget *parent);

    void SetPlaySound(TPlaySound play) { mPlaySound = std::move(play); }
    void Fill() override;
    void Refill() override;

    void ListBox2Click();
    void Button1Click();
    void Button2Click();
    void BitBtn1Click();

    QListWidget *ListBox2() const { return mListBox2; }
    QLineEdit *Edit3() const { return mEdit3; }
    QPushButton *Button1() const { return mButton1; }

private:
    // The current cue 1..7; 0 when none.
    int Cue() const;

    TPlaySound mPlaySound;
    QListWidget *mListBox2 = nullptr;
    QLineEdit *mEdit3 = nullptr;
    QPushButton *mButton1 = nullptr;
};
