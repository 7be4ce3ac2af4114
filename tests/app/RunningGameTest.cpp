#include "app/RunningGame.h"

#include <QDialog>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

// An archive handed over while the game asks something waits for the
// answer, instead of putting its own questions in the middle of it.
TEST(RunningGame, ALaterStartsRequestWaitsUntilNoDialogIsOpen)
{
    QWidget window;
    window.show();
    QDialog question(&window);
    question.setWindowModality(Qt::ApplicationModal);
    question.show();
    bool done = false;
    RunningGame::WhenNoDialogIsOpen(window, [&] { done = true; });
    QTest::qWait(700);
    EXPECT_FALSE(done);
    question.hide();
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
}
