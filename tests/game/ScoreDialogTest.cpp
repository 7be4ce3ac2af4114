#include "game/dialogs/ScoreDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(ScoreDialog, WindowHasItsControlsInPlace)
{
    TScoreDialog dialog;
    EXPECT_EQ(dialog.objectName(), "ScoreDialog");
    EXPECT_EQ(dialog.windowTitle(), "Your score");
    EXPECT_EQ(dialog.size(), QSize(330, 198));
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(dialog.findChild<QLineEdit *>("Edit1")->geometry(), QRect(4, 124, 321, 28));
    EXPECT_EQ(dialog.findChild<QPushButton *>("Button1")->geometry(), QRect(68, 164, 75, 25));
    EXPECT_EQ(dialog.findChild<QPushButton *>("Button2")->geometry(), QRect(184, 164, 75, 25));
    EXPECT_EQ(dialog.findChild<QLabel *>("Label1")->geometry(), QRect(8, 40, 313, 45));
    EXPECT_EQ(dialog.findChild<QLabel *>("Label2")->text(), "Enter your name");
    EXPECT_EQ(dialog.findChild<QLabel *>("Label3")->palette().color(QPalette::WindowText),
              QColor(255, 0, 0));
    EXPECT_TRUE(dialog.Button1()->isDefault());
}

TEST(ScoreDialog, NameFieldSwallowsSemicolonsAndStopsAtThirtyCharacters)
{
    TScoreDialog dialog;
    QLineEdit *edit = dialog.Edit1();
    QTest::keyClicks(edit, "Jo;e");
    QTest::keyClick(edit, Qt::Key_Semicolon, Qt::NoModifier);
    EXPECT_EQ(edit->text(), "Joe");
    edit->setCursorPosition(1);
    edit->insert("x;;y"); // what a paste does
    EXPECT_EQ(edit->text(), "Jxyoe");
    EXPECT_EQ(edit->cursorPosition(), 3);

    edit->clear();
    QTest::keyClicks(edit, QString(40, 'a'));
    EXPECT_EQ(edit->text(), QString(30, 'a'));
}

TEST(ScoreDialog, AskFillsTheTextsAndReturnsTheTypedNameOnOk)
{
    TScoreDialog dialog;
    dialog.Edit1()->setText("stale");
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_TRUE(dialog.Edit1()->text().isEmpty());
        QTest::keyClicks(dialog.Edit1(), "Ann;a");
        QTest::keyClick(dialog.Edit1(), Qt::Key_Return);
    });
    const auto name = dialog.Ask("New Highscore", "Enter name", 4210, "Ja", "Nein");
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(*name, "Anna");
    EXPECT_EQ(dialog.Label1()->text(), "New Highscore");
    EXPECT_EQ(dialog.Label2()->text(), "Enter name");
    EXPECT_EQ(dialog.Label3()->text(), "4210");
    EXPECT_EQ(dialog.Button1()->text(), "Ja");
    EXPECT_EQ(dialog.Button2()->text(), "Nein");
}

TEST(ScoreDialog, EscapeAndCancelGiveNoName)
{
    TScoreDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClicks(dialog.Edit1(), "Bob");
        QTest::keyClick(dialog.Edit1(), Qt::Key_Escape);
    });
    EXPECT_FALSE(dialog.Ask("t", "r", 1, "OK", "Cancel").has_value());

    QTimer::singleShot(0, &dialog, [&] { dialog.Button2()->click(); });
    EXPECT_FALSE(dialog.Ask("t", "r", 1, "OK", "Cancel").has_value());
}

TEST(ScoreDialog, AnswerHookReplacesThePersonUnderTheSameRules)
{
    TScoreDialog dialog;
    dialog.SetAnswerHook([](TScoreDialog &) { return std::optional<QString>("A;" + QString(40, 'b')); });
    const auto name = dialog.AskFor(TScoreTitle::InTopTwenty, 77, [](const QString &key) {
        return key == "In Top Twenty" ? QString("Top 20") : key;
    });
    ASSERT_TRUE(name.has_value());
    EXPECT_LE(name->size(), 30);
    EXPECT_FALSE(name->contains(';'));
    EXPECT_EQ(dialog.Label1()->text(), "Top 20");
    EXPECT_EQ(dialog.Button2()->text(), "Cancel");

    dialog.SetAnswerHook([](TScoreDialog &) { return std::nullopt; });
    EXPECT_FALSE(dialog.Ask("t", "r", 1, "OK", "Cancel").has_value());
}

TEST(ScoreDialog, ButtonsGrowToTheirTranslatedCaptions)
{
    TScoreDialog dialog;
    dialog.SetAnswerHook([](TScoreDialog &) { return std::optional<QString>(); });
    for (const QString &cancel : {QStringLiteral("Abbrechen"), QStringLiteral("Nicht eintragen")}) {
        dialog.Ask("Neuer Rekord!", "Bitte Namen eingeben", 10, "OK", cancel);
        const QRect button = dialog.Button2()->geometry();
        EXPECT_GE(button.width(), dialog.Button2()->sizeHint().width()) << cancel.toStdString();
        EXPECT_LE(button.right(), dialog.width());
        EXPECT_LT(dialog.Button1()->geometry().right(), button.left());
    }
}
