#include "game/dialogs/VolumeDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

TVolumeDialog::TVolumeDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("VolumeDialog"));
    setWindowTitle(QStringLiteral("Volume"));
}

const TVolumeDialog &TVolumeDialog::Built() const
{
    // Building only adds the controls, so the const accessors may do it.
    if (!mSlider)
        const_cast<TVolumeDialog *>(this)->BuildControls();
    return *this;
}

void TVolumeDialog::BuildControls()
{
    mSlider = new QSlider(Qt::Horizontal, this);
    mSlider->setObjectName(QStringLiteral("Slider1"));
    mSlider->setRange(0, 100);
    mSlider->setPageStep(10);
    mSlider->setMinimumWidth(200);
    mPercent = new QLabel(this);
    // Wide enough for "100 %", so the slider does not jump while dragged.
    mPercent->setMinimumWidth(mPercent->fontMetrics().horizontalAdvance(QStringLiteral("100 %")));
    mButton1 = new QPushButton(QStringLiteral("OK"), this);
    mButton1->setObjectName(QStringLiteral("Button1"));
    mButton1->setDefault(true);
    mButton2 = new QPushButton(QStringLiteral("Cancel"), this);
    mButton2->setObjectName(QStringLiteral("Button2"));

    auto *sliderRow = new QHBoxLayout;
    sliderRow->addWidget(mSlider);
    sliderRow->addWidget(mPercent);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(mButton1);
    buttonRow->addWidget(mButton2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(sliderRow);
    layout->addLayout(buttonRow);

    connect(mSlider, &QSlider::valueChanged, this, &TVolumeDialog::ShowPercent);
    connect(mButton1, &QPushButton::clicked, this, &QDialog::accept);
    connect(mButton2, &QPushButton::clicked, this, &QDialog::reject);
    SetVolume(100);
    ShowPercent(100);
}

int TVolumeDialog::Volume() const
{
    return Slider()->value();
}

void TVolumeDialog::SetVolume(int percent)
{
    Slider()->setValue(percent);
}

bool TVolumeDialog::Execute()
{
    Slider()->setFocus();
    return exec() == QDialog::Accepted;
}

void TVolumeDialog::ShowPercent(int percent)
{
    mPercent->setText(QStringLiteral("%1 %").arg(percent));
}
