#pragma once

#include "pads/PadTarget.h"
#include "play/HighScoreTable.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// The small window that asks a player for a name after a good game.
class TScoreDialog : public QDialog, public TPadTarget
{
    Q_OBJECT

public:
    // Answers in place of a person (tests, the scripted run): the returned
    // text is put into the name field as if typed; nullopt cancels.
    using TAnswerHook = std::function<std::optional<QString>(TScoreDialog &dialog)>;
    using TLookup = std::function<QString(const QString &key)>;

    explicit TScoreDialog(QWidget *parent = nullptr);

    // Shows the dialog modally, the name field holding `proposed`; the
    // name on OK, nullopt on any other close.
    std::optional<QString> Ask(const QString &title, const QString &request, int score,
                               const QString &okText, const QString &cancelText,
                               const QString &proposed = {});
    // The same with the texts fetched by message key.
    std::optional<QString> AskFor(TScoreTitle title, int score, const TLookup &lookup,
                                  const QString &proposed = {});

    void SetAnswerHook(TAnswerHook hook) { mAnswerHook = std::move(hook); }
    // With a pad, a row of letters below the field: the d-pad chooses, A
    // adds, B deletes, Start confirms. `hint` says so.
    void SetPadMode(bool on, const QString &hint = {});
    void PadPressed(const TPadPresses &presses) override;
    QLabel *LetterRow() const { return mLetterRow; }

    QLabel *Label1() const { return mLabel1; }
    QLabel *Label2() const { return mLabel2; }
    QLineEdit *Edit1() const { return mEdit1; }
    QPushButton *Button1() const { return mButton1; }
    QPushButton *Button2() const { return mButton2; }
    QLabel *Label3() const { return mLabel3; }

private:
    void FitButtons();
    void ShowLetters();
    QLabel *MakeLabel(const char *name, const QRect &place, const QString &text);

    QLabel *mLabel1 = nullptr;
    QLabel *mLabel2 = nullptr;
    QLineEdit *mEdit1 = nullptr;
    QPushButton *mButton1 = nullptr;
    QPushButton *mButton2 = nullptr;
    QLabel *mLabel3 = nullptr;
    QLabel *mLetterRow = nullptr;
    QLabel *mPadHint = nullptr;
    int mLetter = 0;
    TAnswerHook mAnswerHook;
};
