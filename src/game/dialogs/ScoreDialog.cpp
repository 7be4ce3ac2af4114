#include "game/dialogs/ScoreDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include <algorithm>

namespace {

constexpr int MaxNameLength = 30;

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
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(330, 198);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 255, 255));
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

    setTabOrder(mEdit1, mButton1);
    setTabOrder(mButton1, mButton2);
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
                                         const QString &okText, const QString &cancelText)
{
    mLabel1->setText(title);
    mLabel2->setText(request);
    mLabel3->setText(QString::number(score));
    mEdit1->clear();
    mButton1->setText(okText);
    mButton2->setText(cancelText);
    PlaceButtons();
    if (mAnswerHook) {
        const std::optional<QString> answer = mAnswerHook(*this);
        if (!answer)
            return std::nullopt;
        // The scripted answer obeys the same rules as typing.
        mEdit1->setText(*answer);
        return mEdit1->text();
    }
    mEdit1->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return mEdit1->text();
}

void TScoreDialog::PlaceButtons()
{
    // Both as wide as the longer caption needs, at least the usual 75
    // pixels, and centred as a pair: "Annuleren" fits as well as "OK".
    constexpr int gap = 41;
    constexpr int pairLeft = 68, pairRight = 68 + 75 + gap + 75;
    const int width = std::max({75, mButton1->sizeHint().width(), mButton2->sizeHint().width()});
    const int left = (pairLeft + pairRight - 2 * width - gap) / 2;
    mButton1->setGeometry(left, 164, width, 25);
    mButton2->setGeometry(left + width + gap, 164, width, 25);
}

std::optional<QString> TScoreDialog::AskFor(TScoreTitle title, int score, const TLookup &lookup)
{
    return Ask(lookup(TitleMessageKey(title)), lookup(QStringLiteral("Enter name")), score,
               lookup(QStringLiteral("OK")), lookup(QStringLiteral("Cancel")));
}
