#include "editor/ui/InfoPage.h"

#include "editor/DesignEditor.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

TInfoPage::TInfoPage(TDesignEditor &editor, QWidget *parent)
    : TEditorPage(editor, "TabSheet4", parent)
{
    new QFormLayout(this);
    mEdit4 = AddEdit("Label11", "Author:", "Edit4");
    mEdit5 = AddEdit("Label17", "Info:", "Edit5");
    mLabel15 = AddValue("Label6", "Version:", "Label15");
    mLabel16 = AddValue("Label14", "Size:", "Label16");
    connect(mEdit4, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!mFillingAuthor)
            Guarded([&] { mEditor.SetAuthor(text); });
    });
    connect(mEdit5, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!mFillingInfo)
            Guarded([&] { mEditor.SetInfo(text); });
    });
}

QLineEdit *TInfoPage::AddEdit(const char *labelName, const char *caption, const char *editName)
{
    auto *label = Make<QLabel>(labelName);
    label->setText(QString::fromLatin1(caption));
    auto *edit = Make<QLineEdit>(editName);
    label->setBuddy(edit);
    static_cast<QFormLayout *>(layout())->addRow(label, edit);
    return edit;
}

QLabel *TInfoPage::AddValue(const char *labelName, const char *caption, const char *valueName)
{
    auto *label = Make<QLabel>(labelName);
    label->setText(QString::fromLatin1(caption));
    auto *value = Make<QLabel>(valueName);
    label->setBuddy(value);
    static_cast<QFormLayout *>(layout())->addRow(label, value);
    return value;
}

void TInfoPage::Fill()
{
    mFillingAuthor = true;
    mEdit4->setText(mEditor.Author());
    mFillingAuthor = false;
    mFillingInfo = true;
    mEdit5->setText(mEditor.Info());
    mFillingInfo = false;
    // A long text reads from its start, not scrolled to its end.
    mEdit4->setCursorPosition(0);
    mEdit5->setCursorPosition(0);
    mLabel15->setText(mEditor.Version());
    mLabel16->setText(mEditor.FieldSizeText());
}
