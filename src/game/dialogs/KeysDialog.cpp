#include "game/dialogs/KeysDialog.h"

#include "game/dialogs/KeyCaptureEdit.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

constexpr std::array<TGameKey, 3> kGameKeys = {TGameKey::Left, TGameKey::Right, TGameKey::Space};

QString WithoutMnemonic(QString caption)
{
    return caption.remove(QLatin1Char('&'));
}

// Actions of the window's own dialogs are no shortcuts of the window.
bool InDialog(const QObject *object)
{
    for (; object; object = object->parent()) {
        if (qobject_cast<const QDialog *>(object))
            return true;
    }
    return false;
}

} // namespace

TKeysDialog::TKeysDialog(QWidget *parent, std::function<QString(const QString &)> lookupMessage)
    : QDialog(parent)
    , mLookupMessage(std::move(lookupMessage))
{
    setObjectName(QStringLiteral("KeysDialog"));
    setWindowTitle(QStringLiteral("Keys"));
}

const TKeysDialog &TKeysDialog::Built() const
{
    // Building only adds the controls, so the const accessors may do it.
    if (!mMessage)
        const_cast<TKeysDialog *>(this)->BuildControls();
    return *this;
}

void TKeysDialog::BuildControls()
{
    const TKeyConflictTexts english;
    auto *grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        mLabels[i] = new QLabel(english.Actions[i], this);
        mLabels[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        mEdits[i] = new TKeyCaptureEdit(this);
        mEdits[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        mEdits[i]->setMinimumWidth(140);
        mLabels[i]->setBuddy(mEdits[i]);
        grid->addWidget(mLabels[i], i, 0);
        grid->addWidget(mEdits[i], i, 1);
    }
    auto *hint = new QLabel(QStringLiteral("Click a field and press the key for it. Return, Escape and Tab keep "
                                           "their meaning in this window and cannot be game keys."),
                            this);
    hint->setObjectName(QStringLiteral("Label5"));
    hint->setWordWrap(true);
    mMessage = new QLabel(this);
    mMessage->setObjectName(QStringLiteral("Label4"));
    mMessage->setWordWrap(true);
    // Wrapped lines need a width to wrap at, or the window squeezes them.
    for (QLabel *label : {hint, mMessage})
        label->setMinimumWidth(320);
    mMessage->hide();
    mButton1 = new QPushButton(QStringLiteral("OK"), this);
    mButton1->setObjectName(QStringLiteral("Button1"));
    mButton1->setDefault(true);
    mButton2 = new QPushButton(QStringLiteral("Cancel"), this);
    mButton2->setObjectName(QStringLiteral("Button2"));

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(mButton1);
    buttonRow->addWidget(mButton2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(hint);
    layout->addWidget(mMessage);
    layout->addLayout(buttonRow);

    connect(mButton1, &QPushButton::clicked, this, &TKeysDialog::OkClick);
    connect(mButton2, &QPushButton::clicked, this, &QDialog::reject);
    SetBindings(TKeyBindings());
}

TKeyBindings TKeysDialog::Bindings() const
{
    TKeyBindings bindings;
    for (TGameKey key : kGameKeys)
        bindings.SetKey(key, Edit(key)->Key());
    return bindings;
}

void TKeysDialog::SetBindings(const TKeyBindings &bindings)
{
    for (TGameKey key : kGameKeys)
        Edit(key)->SetKey(bindings.Key(key));
}

bool TKeysDialog::Execute()
{
    Message()->clear();
    mMessage->hide();
    adjustSize();
    // The captions may have been translated since the last showing.
    for (int i = 0; i < 3; ++i)
        mEdits[i]->setAccessibleName(WithoutMnemonic(mLabels[i]->text()));
    mEdits[0]->setFocus();
    return exec() == QDialog::Accepted;
}

void TKeysDialog::OkClick()
{
    const QString conflict = Bindings().Conflict(mReserved, ConflictTexts());
    if (conflict.isEmpty()) {
        accept();
        return;
    }
    mMessage->setText(conflict);
    mMessage->show();
    adjustSize();
}

TKeyConflictTexts TKeysDialog::ConflictTexts() const
{
    TKeyConflictTexts texts;
    texts.UsedByCommand = Text(QStringLiteral("KeyUsedByCommand"), texts.UsedByCommand);
    texts.UsedByShortcut = Text(QStringLiteral("KeyUsedByShortcut"), texts.UsedByShortcut);
    texts.UsedTwice = Text(QStringLiteral("KeyUsedTwice"), texts.UsedTwice);
    for (int i = 0; i < 3; ++i)
        texts.Actions[i] = WithoutMnemonic(mLabels[i]->text());
    return texts;
}

QString TKeysDialog::Text(const QString &key, const QString &fallback) const
{
    const QString text = mLookupMessage ? mLookupMessage(key) : key;
    return text == key || text.isEmpty() ? fallback : text;
}

std::vector<TReservedKey> TKeysDialog::ShortcutsOf(const QWidget &window)
{
    std::vector<TReservedKey> reserved;
    for (const QAction *action : window.findChildren<QAction *>()) {
        if (InDialog(action))
            continue;
        for (const QKeySequence &shortcut : action->shortcuts())
            reserved.push_back({shortcut, WithoutMnemonic(action->text())});
    }
    for (const QShortcut *shortcut : window.findChildren<QShortcut *>()) {
        if (!InDialog(shortcut))
            reserved.push_back({shortcut->key(), shortcut->whatsThis()});
    }
    return reserved;
}
