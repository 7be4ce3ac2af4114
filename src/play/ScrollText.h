#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The attract screen's scrolling lines: the greetings, the last game's
// result (when there is one) and the high-score table, best first.
// `lookup` gives the text of a message key (the key itself when missing);
// `highScores` is the table in ascending order.
QStringList BuildScrollTextLines(const std::function<QString(const QString &)> &lookup,
                                 const QString &lastScore, const QStringList &highScores);
