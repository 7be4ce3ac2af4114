#pragma once

#include "sprites/SpriteList.h"

#include <QFont>
#include <QStringList>

#include <functional>

class TGameRound;
class THighScoreTable;
class TSprite;
class TSpriteField;
class TKeyValueList;

// The screen between games: the design's three title pictures one after
// another, the greeting and high-score lines rising through the lower
// part. It dresses the round's title pictures and reads its sizes; the
// game cycle that owns both says when it shows.
class TAttractScreen
{
public:
    // The text of a message key (the key itself when missing).
    using TLookup = std::function<QString(const QString &key)>;

    // `titlesDone` is told when the last title picture has run its course.
    TAttractScreen(TGameRound &round, TSpriteField &attractField, TLookup lookup,
                   const TKeyValueList &settings, const THighScoreTable &highScores,
                   std::function<void()> titlesDone);

    // The font of the score lines, and of the window's own texts.
    static QFont TextFont();

    // The titles start over from the first, and the score lines with them.
    void Show();
    // The score lines stop.
    void Hide();
    // The score lines anew; they start rising at once while `shown`.
    void BuildScrollText(bool shown);

    const QStringList &ScrollTexts() const { return mScrollTexts; }
    const TSpriteList &ScrollLines() const { return mScrollLines; }

private:
    void TitlePictureEnd(TSprite *picture);
    void StartScrollLine(TSprite *line);
    void ScrollLineMove(TSprite *line);
    int Percent(int percent) const;

    TGameRound &mRound;
    TSpriteField &mAttractField;
    TLookup mLookup;
    const TKeyValueList &mSettings;
    const THighScoreTable &mHighScores;
    QFont mFont;
    std::function<void()> mTitlesDone;

    QStringList mScrollTexts;
    int mScrollIndex = 0;
    TSpriteList mScrollLines;
};
