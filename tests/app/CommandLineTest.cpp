#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TCommandLine Parse(const QString &line)
{
    return TCommandLine::Parse(line.split(QLatin1Char(' '), Qt::SkipEmptyParts));
}

} // namespace

TEST(CommandLine, HelpAndVersionWinWhereverTheyStand)
{
    EXPECT_EQ(Parse("--help").Action, TCommandLine::Help);
    EXPECT_EQ(Parse("-h").Action, TCommandLine::Help);
    EXPECT_EQ(Parse("setup --version").Action, TCommandLine::Version);
}

TEST(CommandLine, UnknownOptionsAreRefusedByName)
{
    for (const QString line : {"--bogus", "-x Sea.zip", "setup --force", "--replay", "--replay s.txt --speed 2",
                               "--replay s.txt --trace"}) {
        SCOPED_TRACE(line.toStdString());
        const TCommandLine parsed = Parse(line);
        EXPECT_EQ(parsed.Action, TCommandLine::BadOption);
        EXPECT_TRUE(parsed.Option.startsWith(QLatin1Char('-')));
    }
    EXPECT_EQ(Parse("--replay s.txt --speed 2").Option, "--speed");
}

TEST(CommandLine, SetupArchiveAndReplayKeepWorking)
{
    EXPECT_EQ(Parse("").Action, TCommandLine::Game);
    EXPECT_EQ(Parse("setup").Action, TCommandLine::Setup);
    // Only the lower-case word installs; a second argument is ignored.
    EXPECT_EQ(Parse("Setup").Action, TCommandLine::Game);
    EXPECT_EQ(Parse("Sea.ZIP").Archive, "Sea.ZIP");
    EXPECT_TRUE(Parse("Sea.zip More.zip").Archive.isEmpty());
    EXPECT_TRUE(Parse("notes.txt").Archive.isEmpty());

    const TCommandLine replay = Parse("--replay s.txt --settings a.ini --trace t.json");
    EXPECT_EQ(replay.Action, TCommandLine::Replay);
    EXPECT_EQ(replay.Script, "s.txt");
    EXPECT_EQ(replay.Trace, "t.json");
    EXPECT_EQ(replay.Settings, "a.ini");
}

TEST(CommandLine, UsageNamesEveryForm)
{
    const QString usage = TCommandLine::Usage("snapstorm");
    for (const char *form : {"FILE.zip", "setup", "--replay SCRIPT", "--help", "--version"})
        EXPECT_TRUE(usage.contains(QLatin1String(form))) << form;
}
