#pragma once

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <memory>

// Small stand-ins for the program's windows, built the way the real ones
// are: named menus and actions, controls nested in panels and tab pages.
struct TTestMainForm {
    std::unique_ptr<QMainWindow> Window = std::make_unique<QMainWindow>();
    QMenu *Game1 = nullptr;
    QAction *New1 = nullptr;
    QAction *Pause1 = nullptr;

    TTestMainForm()
    {
        Window->setObjectName(QStringLiteral("MainForm"));
        Window->setWindowTitle(QStringLiteral("Snapstorm"));
        Game1 = Window->menuBar()->addMenu(QStringLiteral("&Game"));
        Game1->setObjectName(QStringLiteral("Game1"));
        New1 = Game1->addAction(QStringLiteral("New Game"));
        New1->setObjectName(QStringLiteral("New1"));
        New1->setShortcut(QKeySequence(Qt::Key_F2));
        Pause1 = Game1->addAction(QStringLiteral("Pause Game"));
        Pause1->setObjectName(QStringLiteral("Pause1"));
        Pause1->setShortcut(QKeySequence(Qt::Key_P));
    }
};

struct TTestEditor {
    std::unique_ptr<QWidget> Window = std::make_unique<QWidget>();
    QTabWidget *PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet2 = nullptr;
    QLabel *Label4 = nullptr;
    QListWidget *ListBox2 = nullptr;
    QSpinBox *SpinEdit1 = nullptr;
    QPushButton *Button1 = nullptr;

    TTestEditor()
    {
        Window->setObjectName(QStringLiteral("DesignParamDialog"));
        Window->setWindowTitle(QStringLiteral("DesignParamDialog"));
        PageControl1 = new QTabWidget(Window.get());
        PageControl1->setObjectName(QStringLiteral("PageControl1"));
        TabSheet1 = new QWidget;
        TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
        TabSheet2 = new QWidget;
        TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
        PageControl1->addTab(TabSheet1, QStringLiteral("Images"));
        PageControl1->addTab(TabSheet2, QStringLiteral("Sound"));

        auto *panel = new QWidget(TabSheet1);
        panel->setObjectName(QStringLiteral("Panel7"));
        Label4 = new QLabel(QStringLiteral("File:"), panel);
        Label4->setObjectName(QStringLiteral("Label4"));
        SpinEdit1 = new QSpinBox(panel);
        SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
        SpinEdit1->setRange(-1000, 1000);
        SpinEdit1->setValue(5);

        ListBox2 = new QListWidget(TabSheet2);
        ListBox2->setObjectName(QStringLiteral("ListBox2"));
        ListBox2->addItems({QStringLiteral("Canon shot"), QStringLiteral("Ship explode    "),
                            QStringLiteral("Ships move down")});
        Button1 = new QPushButton(QStringLiteral("play"), TabSheet2);
        Button1->setObjectName(QStringLiteral("Button1"));
    }
};
