#pragma once

#include <QFileDialog>

class QLabel;

// "*.jpg" as a pattern that matches the extension in any letter case
// ("*.[jJ][pP][gG]"): designs come from systems where case varies.
QString AnyCasePattern(const QString &extension);
// The picture chooser's filter list: all readable kinds, then one by one.
QStringList PictureFilters();

// A file dialog for pictures with a preview of the highlighted file.
class TPictureFileDialog : public QFileDialog
{
    Q_OBJECT

public:
    TPictureFileDialog(QWidget *parent, const QString &startDir, bool several);

    static constexpr int PreviewSide = 160;

private:
    void ShowPreview(const QString &path);

    QLabel *mPreview = nullptr;
};
