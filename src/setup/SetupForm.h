#pragma once

#include <QDialog>

// The installer window started by the argument "setup".
class TSetupForm : public QDialog
{
    Q_OBJECT

public:
    explicit TSetupForm(QWidget *parent = nullptr);
};
