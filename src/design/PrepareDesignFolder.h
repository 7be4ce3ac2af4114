#pragma once

#include "design/DesignFolder.h"

#include <QString>

class TLanguage;

// The questions that writing a design must ask the user. Windows answer
// them with message boxes; tests with a scripted fake.
class TDesignPrompts
{
public:
    enum class TAnswer { Yes, No, Cancel };

    virtual ~TDesignPrompts() = default;
    virtual void Message(const QString &text) = 0;
    // Something failed or was refused: shown with the error icon.
    virtual void Error(const QString &text) { Message(text); }
    // Yes, No and Cancel; closing the box without an answer is Cancel.
    virtual TAnswer Question(const QString &text) = 0;
};

// Whether a design may be written under `name`: never the Default design
// or a name that reads like it (the text for "CannotsavetoDefault" is
// shown), and an existing folder of
// that name only after the user says Yes to "Override Design", and never
// one that is a symbolic link ("DesignFolderIsLink"). Nothing is
// deleted here: the writer replaces the folder's files once its new ones
// are complete (TStagedFolder). A name that would lead out of the design
// root, hide the folder or break a settings line raises EDesignError.
bool PrepareDesignFolder(const QString &name, const TLanguage &language, TDesignPrompts &prompts,
                         const QString &rootDir = DesignRootDir());
