#include "game/dialogs/ProcessOpener.h"
#include "support/TempDir.h"

#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

// The opener's answer, once it came.
std::optional<bool> OpenWith(const QString &program, const QString &target, bool *answeredAtOnce = nullptr)
{
    TProcessOpener opener(nullptr, program);
    std::optional<bool> answer;
    opener.Open(target, [&](bool opened) { answer = opened; });
    if (answeredAtOnce)
        *answeredAtOnce = answer.has_value();
    QTest::qWaitFor([&] { return answer.has_value(); }, 10000);
    return answer;
}

} // namespace

// The desktop's opener used to be counted as done once it started, so a
// desktop with no program for the file left the player with nothing.
TEST(ProcessOpener, AnOpenerThatFailsIsToldAsFailedWithoutWaitingForIt)
{
    TempDir dir;
    const QString script = dir.Write("no-program", "#!/bin/sh\nsleep 0.3\n[ \"$1\" = ok ] || exit 3\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner);
    bool atOnce = true;
    EXPECT_EQ(OpenWith(script, "nothing-for-it", &atOnce), std::optional<bool>(false));
    EXPECT_FALSE(atOnce);
    EXPECT_EQ(OpenWith(script, "ok"), std::optional<bool>(true));
    EXPECT_EQ(OpenWith(dir.File("no-such-opener"), "x"), std::optional<bool>(false));
}
