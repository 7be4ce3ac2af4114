// A language file translating a small window tree like the program's own:
// menus, actions, labels, lists, a spin box and tabbed pages, plus every
// path the file itself names, then every message it holds.
#include "FuzzSupport.h"

#include "base/IniFile.h"
#include "lang/ui/Language.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include <memory>

namespace {

template <class T>
T *Named(T *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

// Made afresh for every input, so no run depends on what the last one set.
struct TWindows
{
    std::unique_ptr<QMainWindow> Main{Named(new QMainWindow, "MainForm")};
    std::unique_ptr<QDialog> Dialog{Named(new QDialog, "DesignSelectDialog")};

    TWindows()
    {
        QMenu *game = Named(Main->menuBar()->addMenu(QStringLiteral("Game")), "Game1");
        Named(game->addAction(QStringLiteral("New")), "New1");
        auto *central = new QWidget(Main.get());
        Main->setCentralWidget(central);
        Named(new QLabel(central), "Label1");
        Named(new QSpinBox(central), "SpinEdit1");
        Named(new QComboBox(central), "ComboBox1");
        Named(new QListWidget(central), "ListBox1");
        auto *tabs = Named(new QTabWidget(central), "PageControl1");
        tabs->addTab(Named(new QWidget, "TabSheet1"), QStringLiteral("Page"));
        Named(new QPushButton(Dialog.get()), "Button1");
    }
};

const QStringList kFixedPaths = {
    QStringLiteral("MainForm.Caption"),          QStringLiteral("MainForm.Game1.Caption"),
    QStringLiteral("MainForm.New1.Caption"),     QStringLiteral("MainForm.Label1.Caption"),
    QStringLiteral("MainForm.SpinEdit1.Value"),  QStringLiteral("MainForm.ComboBox1.Items"),
    QStringLiteral("MainForm.ListBox1.Items"),   QStringLiteral("MainForm.TabSheet1.Caption"),
    QStringLiteral("DesignSelectDialog.Button1.Caption"),
};

QStringList Capped(QStringList list)
{
    return list.mid(0, 64);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzInitQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzWriteFile(QStringLiteral("fuzz.lng"), FuzzBytes(data, size));
    const TIniFile ini(path);
    TWindows windows;
    TLanguage language;
    language.SetLanguageFile(path);
    language.SetSeparator(QStringLiteral(";"));
    language.SetProperties(kFixedPaths
                           + Capped(ini.ReadSectionKeys(QLatin1String(TLanguage::TranslationsSection))));
    try {
        language.Translate();
    } catch (const EConversionError &) {
    }
    for (const QString &key : Capped(ini.ReadSectionKeys(QLatin1String(TLanguage::MessagesSection))))
        (void)language.LookupMessage(key);
    (void)language.LookupMessage(QStringLiteral("HelpFile"));
    return 0;
}
