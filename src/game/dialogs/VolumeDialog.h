#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSlider;

// The small window with the volume slider, 0 to 100 %. Its controls are
// built on first use, so that the game window shows sooner; translate its
// captions after that (the accessors and SetVolume build them).
class TVolumeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TVolumeDialog(QWidget *parent = nullptr);

    int Volume() const;
    void SetVolume(int percent);
    // Shows the dialog modally; true when closed with OK.
    bool Execute();

    QSlider *Slider() const { return Built().mSlider; }
    QPushButton *Button1() const { return Built().mButton1; }
    QPushButton *Button2() const { return Built().mButton2; }

private:
    const TVolumeDialog &Built() const;
    void BuildControls();
    void ShowPercent(int percent);

    QSlider *mSlider = nullptr;
    QLabel *mPercent = nullptr;
    QPushButton *mButton1 = nullptr;
    QPushButton *mButton2 = nullptr;
};
