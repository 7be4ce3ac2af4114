#pragma once

#include "sprites/SpriteList.h"

#include <QFont>
#include <QStringList>

class TGameHost;
class TGameRound;
class THighScoreTable;
class TLanguage;
class TSprite;
class TSpriteBox;
class TKeyValueList;

// The screen between games: the design's three title pictures one after
// another, the greeting and high-score lines rising through the lower
// part, and the countdown into a demo.
class TAttractScreen
{
public:
    TAttractScreen(TGameHost &host, TGameRound &round, TSpriteBox &attractBox,
                   const TLanguage &language, const TKeyValueList &settings,
                   const THighScoreTable &highScores, const QFont &font);

    void ShowAttract(bool on);
    void BuildScrollText();

    const QStringList &ScrollTexts() const { return mScrollTexts; }
    const TSpriteList &ScrollLines() const { return mScrollLines; }

private:
    void TitlePictureEnd(TSprite *picture);
    void StartScrollLine(TSprite *line);
    void ScrollLineMove(TSprite *line);
    int Percent(int percent) const;

    TGameHost &mHost;
    TGameRound &mRound;
    TSpriteBox &mAttractBox;
    const TLanguage &mLanguage;
    const TKeyValueList &mSettings;
    const THighScoreTable &mHighScores;
    QFont mFont;

    QStringList mScrollTexts;
    int mScrollIndex = 0;
    TSpriteList mScrollLines;
};
