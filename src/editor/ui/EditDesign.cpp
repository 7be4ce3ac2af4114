#include "editor/ui/EditDesign.h"

#include "editor/ui/DesignParamDialog.h"
#include "editor/ui/QtEditorPrompts.h"

#include <QTimer>

QString EditDesign(const TEditDesignOptions &options)
{
    TQtEditorPrompts prompts(*options.SelectDialog, options.Unattended);
    TDesignParamDialog editor(prompts, *options.Settings, options.Parent, options.Roots);
    prompts.SetWindow(&editor);
    prompts.SetLanguageFile(options.LanguageFile);
    editor.SetDesignName(options.DesignName);
    editor.SetLanguageFile(options.LanguageFile);
    editor.SetPlaySound(options.PlaySound);
    editor.SetOpenOrTell(options.OpenOrTell);
    if (options.Unattended) {
        // Whatever the run did with the editor meanwhile, it ends without a question.
        QTimer::singleShot(0, &editor, [&editor] { editor.done(QDialog::Rejected); });
    }
    editor.exec();
    return editor.DesignName();
}
