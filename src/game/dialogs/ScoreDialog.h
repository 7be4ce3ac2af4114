#pragma once

#include "play/HighScoreTable.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// The small window that asks a player for a name after a good game.
class TScoreDialog : public QDialog
{
    Q_OBJECT

public:
    // Answers in place of a person (tests, the scripted run): the returned
    // text is put into the name field as if typed; nullopt cancels.
    using TAnswerHook = std::function<std::optional<QString>(TScoreDialog &dialog)>;
    using TLookup = std::function<QString(const QString &key)>;

    explicit TScoreDialog(QWidget *parent = nullptr);

    // Shows the dialog modally; the name on OK, nullopt on any other close.
    std::optional<QString> Ask(const QString &title, const QString &request, int score,
                               const QString &okText, const QString &cancelText);
    // The same with the texts fetched by message key.
    std::optional<QString> AskFor(TScoreTitle title, int score, const TLookup &lookup);

    void SetAnswerHook(TAnswerHook hook) { mAnswerHook = std::move(hook); }

    QLabel *Label1() const { return mLabel1; }
    QLabel *Label2() const { return mLabel2; }
    QLineEdit *Edit1() const { return mEdit1; }
    QPushButton *Button1() const { return mButton1; }
    QPushButton *Button2() const { return mButton2; }
    QLabel *Label3() const { return mLabel3; }

private:
    QLabel *MakeLabel(const char *name, const QRect &place, const QString &text);
    void PlaceButtons();

    QLabel *mLabel1 = nullptr;
    QLabel *mLabel2 = nullptr;
    QLineEdit *mEdit1 = nullptr;
    QPushButton *mButton1 = nullptr;
    QPushButton *mButton2 = nullptr;
    QLabel *mLabel3 = nullptr;
    TAnswerHook mAnswerHook;
};
