#include "game/AfterFirstPaint.h"

#include <QCoreApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

TEST(AfterFirstPaint, WorkRunsOnceJustAfterTheFirstFrame)
{
    QWidget widget;
    widget.resize(40, 30);
    int runs = 0;
    TAfterFirstPaint::Run(widget, [&] { ++runs; });
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 0) << "nothing painted yet";
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    widget.repaint();
    EXPECT_TRUE(QTest::qWaitFor([&] { return runs == 1; }, 5000));
    widget.repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
}
