#include "play/ScrollText.h"

#include "play/HighScoreTable.h"

namespace {

const QString Stars = QStringLiteral("* * * * *");

QString RankedLine(int rank, const TScoreEntry &entry)
{
    return QStringLiteral("%1.) %2 %3 (%4)")
        .arg(QString::number(rank), QString::number(entry.score), entry.name, entry.design);
}

QString LastGameLine(const QString &lastScore, const QStringList &highScores)
{
    const TScoreEntry entry = ParseScoreEntry(lastScore);
    for (qsizetype i = 0; i < highScores.size(); ++i) {
        if (highScores.at(i).compare(lastScore, Qt::CaseInsensitive) == 0)
            return RankedLine(static_cast<int>(highScores.size() - i), entry);
    }
    return QStringLiteral("%1 %2 (%3)").arg(QString::number(entry.score), entry.name, entry.design);
}

} // namespace

QStringList BuildScrollTextLines(const std::function<QString(const QString &)> &lookup,
                                 const QString &lastScore, const QStringList &highScores)
{
    QStringList lines;
    lines << QString() << lookup(QStringLiteral("ScollText1")) << lookup(QStringLiteral("ScollText2"))
          << lookup(QStringLiteral("ScollText3")) << QString() << QString() << Stars;
    if (!lastScore.isEmpty()) {
        lines << QString() << lookup(QStringLiteral("Last Score"))
              << LastGameLine(lastScore, highScores) << QString() << Stars;
    }
    if (!highScores.isEmpty()) {
        lines << QString() << QString() << lookup(QStringLiteral("Highscores")) << QString();
        for (int rank = 1; rank <= highScores.size(); ++rank)
            lines << RankedLine(rank, ParseScoreEntry(highScores.at(highScores.size() - rank)));
        lines << QString() << Stars;
    }
    return lines;
}
