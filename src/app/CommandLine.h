#pragma once

#include <QString>
#include <QStringList>

// What the program was asked to do on its command line.
struct TCommandLine {
    enum TAction { Game, Setup, Replay, Help, Version, BadOption };
    TAction Action = Game;
    // Game: a design archive to import at start; empty: none.
    QString Archive{};
    // Replay: the script and the optional trace and settings files.
    QString Script{};
    QString Trace{};
    QString Settings{};
    // BadOption: the option that was not understood.
    QString Option{};

    // `args` without the program name. Options the toolkit took are gone.
    static TCommandLine Parse(const QStringList &args);
    // The short usage, for --help and after a bad option.
    static QString Usage(const QString &program);
};
