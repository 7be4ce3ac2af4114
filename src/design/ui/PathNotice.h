#pragma once

#include <QString>

class QWidget;

// What to tell the player when no program on the desktop could open a file:
// a line of text and the path, which the player may select or copy.
struct TPathNoticeText {
    QString Message{};
    QString Path{};
    // The caption of the button that copies the path.
    QString CopyCaption{};
};

// Shows `text` in a window of its own over `parent` (none: the active
// window) without waiting: the report may come long after the command.
void ShowPathNotice(QWidget *parent, const TPathNoticeText &text);
