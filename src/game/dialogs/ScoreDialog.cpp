#include "game/dialogs/ScoreDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QValidator>

#include <algorithm>

namespace {

constexpr int MaxNameLength = 30;
// What a pad can write, in the order the d-pad walks through it.
const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -.!");
// Letters shown on each side of the chosen one.
constexpr int kLettersAround = 6;
constexpr int kPadRowsHeight = 56;

// Edit1KeyPress: a ";" would split the stored entry, and a line break the
// settings line, so neither gets into the name, whether typed or pasted.
class TNameValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override
    {
        const QString before = input.left(pos);
        const QString clean = THighScoreTable::CleanName(before);
        input = THighScoreTable::CleanName(input);
        pos = std::min<int>(clean.size(), input.size());
        return Acceptable;
    }
};

} // namespace

TScoreDialog::TScoreDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("ScoreDialog"));
    setWindowTitle(QStringLiteral("Your score"));
    setFixedSize(330, 198);
    // The main window's white, so the dialog reads as part of the game.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setBold(true);
    f.setPixelSize(16);
    setFont(f);

    mLabel1 = MakeLabel("Label1", QRect(8, 40, 313, 45), QString());
    mLabel1->setWordWrap(true);
    mLabel2 = MakeLabel("Label2", QRect(4, 100, 321, 20), QStringLiteral("Enter your name"));

    mEdit1 = new QLineEdit(this);
    mEdit1->setObjectName(QStringLiteral("Edit1"));
    mEdit1->setGeometry(4, 124, 321, 28);
    mEdit1->setMaxLength(MaxNameLength);
    mEdit1->setValidator(new TNameValidator(mEdit1));

    mButton1 = new QPushButton(QStringLiteral("OK"), this);
    mButton1->setObjectName(QStringLiteral("Button1"));
    mButton1->setGeometry(68, 164, 75, 25);
    mButton1->setDefault(true);
    connect(mButton1, &QPushButton::clicked, this, &QDialog::accept);

    mButton2 = new QPushButton(QStringLiteral("Cancel"), this);
    mButton2->setObjectName(QStringLiteral("Button2"));
    mButton2->setGeometry(184, 164, 75, 25);
    mButton2->setAutoDefault(false);
    connect(mButton2, &QPushButton::clicked, this, &QDialog::reject);

    mLabel3 = MakeLabel("Label3", QRect(8, 12, 313, 20), QString());
    QPalette red = mLabel3->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    mLabel3->setPalette(red);

    mLetterRow = MakeLabel("LetterRow", QRect(4, 196, 321, 26), QString());
    mLetterRow->setTextFormat(Qt::RichText);
    mPadHint = MakeLabel("PadHint", QRect(4, 222, 321, 26), QString());
    QFont small = mPadHint->font();
    small.setBold(false);
    small.setPixelSize(11);
    mPadHint->setFont(small);
    mPadHint->setWordWrap(true);
    SetPadMode(false);

    setTabOrder(mEdit1, mButton1);
    setTabOrder(mButton1, mButton2);
}

void TScoreDialog::FitButtons()
{
    // Translated captions may be longer than the English ones: the buttons
    // then grow around the dialog's middle rather than cut them short.
    constexpr int width = 75, left1 = 68, left2 = 184, gap = 16;
    const int wanted = std::max(mButton1->sizeHint().width(), mButton2->sizeHint().width());
    if (wanted <= width) {
        mButton1->move(left1, mButton1->y());
        mButton2->move(left2, mButton2->y());
        mButton1->resize(width, mButton1->height());
        mButton2->resize(width, mButton2->height());
        return;
    }
    const int middle = this->width() / 2;
    const int grown = std::min(wanted, middle - gap);
    mButton1->setGeometry(middle - gap / 2 - grown, mButton1->y(), grown, mButton1->height());
    mButton2->setGeometry(middle + gap / 2, mButton2->y(), grown, mButton2->height());
}

QLabel *TScoreDialog::MakeLabel(const char *name, const QRect &place, const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

std::optional<QString> TScoreDialog::Ask(const QString &title, const QString &request, int score,
                                         const QString &okText, const QString &cancelText,
                                         const QString &proposed)
{
    mLabel1->setText(title);
    mLabel2->setText(request);
    mLabel3->setText(QString::number(score));
    // The same player most often plays again: their name is offered,
    // selected, so that typing another replaces it.
    mEdit1->setText(proposed);
    mEdit1->selectAll();
    mButton1->setText(okText);
    mButton2->setText(cancelText);
    FitButtons();
    if (mAnswerHook) {
        const std::optional<QString> answer = mAnswerHook(*this);
        if (!answer)
            return std::nullopt;
        // The scripted answer obeys the same rules as typing.
        mEdit1->setText(*answer);
        return mEdit1->text();
    }
    mEdit1->setFocus();
    // Showing the dialog moves the cursor to the end: the offered name is
    // selected again once it shows, so that typing replaces it.
    QTimer::singleShot(0, mEdit1, &QLineEdit::selectAll);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return mEdit1->text();
}

void TScoreDialog::SetPadMode(bool on, const QString &hint)
{
    setFixedSize(330, on ? 198 + kPadRowsHeight : 198);
    mLetterRow->setVisible(on);
    mPadHint->setVisible(on);
    mPadHint->setText(hint);
    ShowLetters();
}

void TScoreDialog::ShowLetters()
{
    const int count = static_cast<int>(kLetters.size());
    QString row;
    for (int offset = -kLettersAround; offset <= kLettersAround; ++offset) {
        const QChar letter = kLetters.at(((mLetter + offset) % count + count) % count);
        const QString shown = letter == QLatin1Char(' ') ? QStringLiteral("&#9251;") : QString(letter).toHtmlEscaped();
        row += offset == 0 ? QStringLiteral("<span style=\"color:#ff0000; font-size:20px\">[%1]</span> ").arg(shown)
                           : shown + QLatin1Char(' ');
    }
    mLetterRow->setText(row.trimmed());
}

void TScoreDialog::PadPressed(const TPadPresses &presses)
{
    const int count = static_cast<int>(kLetters.size());
    const int step = (presses.Right ? 1 : 0) - (presses.Left ? 1 : 0) + (presses.Down ? 10 : 0) - (presses.Up ? 10 : 0);
    mLetter = ((mLetter + step) % count + count) % count;
    if (presses.South && mEdit1->text().size() < MaxNameLength)
        mEdit1->insert(kLetters.at(mLetter));
    if (presses.East)
        mEdit1->backspace();
    ShowLetters();
    if (presses.Start)
        accept();
    else if (presses.Back)
        reject();
}

std::optional<QString> TScoreDialog::AskFor(TScoreTitle title, int score, const TLookup &lookup,
                                            const QString &proposed)
{
    setWindowTitle(lookup(QStringLiteral("ScoreDialogTitle")));
    return Ask(lookup(TitleMessageKey(title)), lookup(QStringLiteral("Enter name")), score,
               lookup(QStringLiteral("OK")), lookup(QStringLiteral("Cancel")), proposed);
}
