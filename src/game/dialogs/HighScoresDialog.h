#pragma once

#include "lang/MessageLookup.h"
#include "session/GameSession.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QPushButton;
class QTreeWidget;

// Game > High Scores: the twenty best games with name, design and date.
// Watch chooses one to be shown on the field; the caller plays it.
class THighScoresDialog : public QDialog
{
    Q_OBJECT

public:
    THighScoresDialog(QWidget *parent, TMessageLookup messages);

    // Answers in place of a person (tests): the table index to watch, or none.
    using TAnswerHook = std::function<std::optional<int>(THighScoresDialog &dialog)>;

    // Shows `rows` modally, the row of table index `selected` chosen (else
    // the best); the chosen row's table index on Watch, none on Close.
    std::optional<int> Choose(const std::vector<THighScoreRow> &rows, std::optional<int> selected);
    void SetAnswerHook(TAnswerHook hook) { mAnswerHook = std::move(hook); }

    QTreeWidget &List() const { return *mList; }
    QPushButton &WatchButton() const { return *mWatch; }

private:
    void Fill(const std::vector<THighScoreRow> &rows);

    TMessageLookup mMessages;
    QTreeWidget *mList = nullptr;
    QPushButton *mWatch = nullptr;
    QPushButton *mClose = nullptr;
    TAnswerHook mAnswerHook;
};
