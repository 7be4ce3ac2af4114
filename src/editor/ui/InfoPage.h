#pragma once

#include "editor/ui/EditorPage.h"

class QLabel;
class QLineEdit;

// The Info page: author and description, which the user edits, and the
// format version and play-field size, which the design states.
class TInfoPage : public TEditorPage
{
    Q_OBJECT

public:
    TInfoPage(TDesignEditor &editor, QWidget *parent);

    void Fill() override;

    QLineEdit *Edit4() const { return mEdit4; }
    QLineEdit *Edit5() const { return mEdit5; }
    QLabel *Label15() const { return mLabel15; }
    QLabel *Label16() const { return mLabel16; }

private:
    QLineEdit *AddEdit(const char *labelName, const char *caption, const char *editName);
    QLabel *AddValue(const char *labelName, const char *caption, const char *valueName);

    bool mFillingAuthor = false;
    bool mFillingInfo = false;
    QLineEdit *mEdit4 = nullptr;
    QLineEdit *mEdit5 = nullptr;
    QLabel *mLabel15 = nullptr;
    QLabel *mLabel16 = nullptr;
};
