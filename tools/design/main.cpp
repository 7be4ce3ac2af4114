// Makes the designs shipped beside the game, each complete: Default, Neon,
// Retro and Reef; with --icons, the program icon.
#include "DesignAssets.h"
#include "ProgramIcon.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <utility>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const bool icons = argc == 3 && QLatin1String(argv[1]) == QLatin1String("--icons");
    if (argc != 2 && !icons) {
        std::fprintf(stderr, "usage: %s <design root> | --icons <icon root>\n", argv[0]);
        return 2;
    }
    try {
        if (icons) {
            MakeProgramIcons(QDir(QString::fromLocal8Bit(argv[2])).absolutePath());
            return 0;
        }
        const QString root = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
        const std::pair<const char *, void (*)(const QString &)> designs[] = {
            {"Default", MakeDefaultDesign}, {"Neon", MakeNeonDesign}, {"Retro", MakeRetroDesign},
            {"Reef", MakeReefDesign}};
        for (const auto &[name, make] : designs) {
            const QString dir = root + QLatin1String(name) + QLatin1Char('/');
            // Start from an empty folder so files dropped from a design never linger.
            QDir(dir).removeRecursively();
            if (!QDir().mkpath(dir))
                throw std::runtime_error(QStringLiteral("cannot create %1").arg(dir).toStdString());
            make(dir);
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "make_design_assets: %s\n", e.what());
        return 1;
    }
    return 0;
}
