#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSlider;

// The small window with the volume slider, 0 to 100 %.
class TVolumeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TVolumeDialog(QWidget *parent = nullptr);

    int Volume() const;
    void SetVolume(int percent);
    // Shows the dialog modally; true when closed with OK.
    bool Execute();

    QSlider *Slider() const { return mSlider; }
    QPushButton *Button1() const { return mButton1; }
    QPushButton *Button2() const { return mButton2; }

private:
    void ShowPercent(int percent);

    QSlider *mSlider = nullptr;
    QLabel *mPercent = nullptr;
    QPushButton *mButton1 = nullptr;
    QPushButton *mButton2 = nullptr;
};
