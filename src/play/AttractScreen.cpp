#include "play/AttractScreen.h"

#include "play/GameRound.h"
#include "play/HighScoreTable.h"
#include "play/ScrollText.h"

#include "base/KeyValueList.h"
#include "design/DesignLayout.h"
#include "sprites/Picture.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"

#include <QFontMetrics>
#include <QPainter>

#include <utility>

namespace {

constexpr int kScrollLineKind = 1000;
constexpr int kScrollStep = 2;

} // namespace

TAttractScreen::TAttractScreen(TGameRound &round, TSpriteField &attractField, TLookup lookup,
                               const TKeyValueList &settings, const THighScoreTable &highScores,
                               std::function<void()> titlesDone)
    : mRound(round)
    , mAttractField(attractField)
    , mLookup(std::move(lookup))
    , mSettings(settings)
    , mHighScores(highScores)
    , mFont(TextFont())
    , mTitlesDone(std::move(titlesDone))
{
    TSpriteList &pictures = mRound.Sprites().Pictures();
    for (int i = 0; i < pictures.Count(); ++i) {
        if (pictures.Items(i)->Kind() >= skTitle1)
            pictures.Items(i)->SetOnLastFrame([this](TSprite *s) { TitlePictureEnd(s); });
    }
}

QFont TAttractScreen::TextFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setBold(true);
    font.setPixelSize(19);
    return font;
}

void TAttractScreen::Hide()
{
    for (int i = 0; i < mScrollLines.Count(); ++i)
        mScrollLines.Items(i)->SetEnabled(false);
}

void TAttractScreen::Show()
{
    int top = 0;
    for (int kind = skTitle1; kind <= skTitle3; ++kind) {
        TSprite *picture = mRound.Sprites().Pictures().FindKind(kind);
        picture->FirstFrame();
        picture->SetLeft((mRound.ClientWidth() - picture->Width()) / 2);
        picture->SetTop(top);
        picture->SetEnabled(kind == skTitle1);
        top += picture->Height();
    }
    BuildScrollText(true);
}

void TAttractScreen::TitlePictureEnd(TSprite *picture)
{
    switch (picture->Kind()) {
    case skTitle1:
        mRound.Sprites().Pictures().FindKind(skTitle2)->SetEnabled(true);
        break;
    case skTitle2:
        mRound.Sprites().Pictures().FindKind(skTitle3)->SetEnabled(true);
        break;
    case skTitle3:
        mTitlesDone();
        break;
    }
}

void TAttractScreen::BuildScrollText(bool shown)
{
    Hide();
    mScrollTexts = BuildScrollTextLines(
        mLookup, mSettings.Value(QStringLiteral("LastScore")), mHighScores.Entries());
    mScrollIndex = 0;
    if (shown)
        StartScrollLine(mScrollLines.Count() > 0 ? mScrollLines.Items(0) : nullptr);
}

void TAttractScreen::StartScrollLine(TSprite *line)
{
    if (!line) {
        line = mScrollLines.AddNew();
        mAttractField.AddSprite(line);
        line->SetEnabled(false);
        line->SetKind(kScrollLineKind);
        line->SetSpeed(kScrollStep);
        line->SetOnMove([this](TSprite *s) { ScrollLineMove(s); });
    }
    const QFontMetrics metrics(mFont);
    const QString text = mScrollTexts.value(mScrollIndex);
    const int height = metrics.boundingRect(QStringLiteral("j\u00C4")).height() + 2;
    const int width = metrics.horizontalAdvance(text) + 10;
    QImage bitmap(width, height, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    painter.setFont(mFont);
    painter.setPen(QColor(255, 0, 0));
    painter.drawText(QPoint(0, metrics.ascent()), text);
    painter.end();
    // White is the bottom-left pixel, so it turns see-through.
    line->SetPicture(TPicture::FromImage(bitmap));
    line->SetTop(Percent(90));
    line->SetLeft((mRound.ClientWidth() - width) / 2);
    line->Jump();
    line->SetEnabled(true);
    ++mScrollIndex;
    if (mScrollIndex >= mScrollTexts.size())
        mScrollIndex = 0;
}

void TAttractScreen::ScrollLineMove(TSprite *line)
{
    const int height = line->Height();
    line->SetTop(line->Top() - kScrollStep);
    if (line->Top() < Percent(10))
        line->SetEnabled(false);
    TSprite *free = nullptr;
    int lowestTop = 0;
    for (int i = 0; i < mScrollLines.Count(); ++i) {
        TSprite *other = mScrollLines.Items(i);
        if (!other->Enabled())
            free = other;
        else
            lowestTop = std::max(lowestTop, other->Top());
    }
    if (lowestTop < Percent(90) - height)
        StartScrollLine(free);
}

int TAttractScreen::Percent(int percent) const
{
    return ScrollLineTop(mRound.ClientHeight(), percent);
}
