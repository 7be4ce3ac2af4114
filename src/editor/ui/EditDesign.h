#pragma once

#include "design/DesignRoots.h"
#include "editor/ui/SoundPage.h"

#include <QString>

#include <functional>

class QWidget;
class TDesignSelectDialog;
class TKeyValueList;

struct TEditDesignOptions {
    QWidget *Parent = nullptr;
    // The design the editor opens; empty: Default.
    QString DesignName{};
    // The game's settings: the choosers' folders and the sound switch.
    TKeyValueList *Settings = nullptr;
    QString LanguageFile{};
    // Where designs are read from and saved to.
    TDesignRoots Roots = TDesignRoots::Standard();
    // Asks for design names; the game's own, already translated.
    TDesignSelectDialog *SelectDialog = nullptr;
    // No person answers: the editor closes again at once, asking nothing.
    bool Unattended = false;
    // The Sound page's "play".
    TSoundPage::TPlaySound PlaySound{};
    // Opens a file or folder with the desktop's program for it, or says
    // where it is (the e-mail draft, an archive's folder).
    std::function<void(QWidget *over, const QString &target, const QString &message, const QString &path)>
        OpenOrTell{};
};

// Shows the design editor modally and gives the name of the design that is
// current in it when it closes, saved or not.
QString EditDesign(const TEditDesignOptions &options);
