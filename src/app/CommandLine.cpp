#include "CommandLine.h"

namespace {

bool IsOption(const QString &arg)
{
    return arg.startsWith(QLatin1Char('-'));
}

TCommandLine Bad(const QString &option)
{
    TCommandLine line;
    line.Action = TCommandLine::BadOption;
    line.Option = option;
    return line;
}

// "--replay SCRIPT [--trace FILE] [--settings FILE]"
TCommandLine ParseReplay(const QStringList &args)
{
    TCommandLine line;
    line.Action = TCommandLine::Replay;
    if (args.size() < 2)
        return Bad(args.first());
    line.Script = args.at(1);
    for (int i = 2; i < args.size(); i += 2) {
        const QString &flag = args.at(i);
        if (i + 1 >= args.size())
            return Bad(flag);
        if (flag == QLatin1String("--trace"))
            line.Trace = args.at(i + 1);
        else if (flag == QLatin1String("--settings"))
            line.Settings = args.at(i + 1);
        else
            return Bad(flag);
    }
    return line;
}

} // namespace

TCommandLine TCommandLine::Parse(const QStringList &args)
{
    TCommandLine line;
    if (args.isEmpty())
        return line;
    const QString &first = args.first();
    if (first == QLatin1String("--replay"))
        return ParseReplay(args);
    for (const QString &arg : args) {
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            line.Action = Help;
        else if (arg == QLatin1String("--version"))
            line.Action = Version;
        else if (IsOption(arg))
            return Bad(arg);
        if (line.Action != Game)
            return line;
    }
    // Only the lower-case word: "Setup" starts the game.
    if (first == QLatin1String("setup"))
        line.Action = Setup;
    else if (args.size() == 1 && first.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive))
        line.Archive = first;
    return line;
}

QString TCommandLine::Usage(const QString &program)
{
    return QStringLiteral("Usage: %1 [FILE.zip]      play; a design archive is imported first\n"
                          "                          and shown on the attract screen\n"
                          "       %1 setup           install the game\n"
                          "       %1 --replay SCRIPT [--trace FILE] [--settings FILE]\n"
                          "                          play a script, or a recorded game, without\n"
                          "                          a display\n"
                          "       %1 --help | --version\n")
        .arg(program);
}
