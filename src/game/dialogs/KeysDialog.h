#pragma once

#include "play/KeyBindings.h"

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class TKeyCaptureEdit;

// The small window that assigns the keys for left, right and fire. OK is
// refused, with the reason shown in the dialog, while a key is taken twice
// or is one of the window's shortcuts. Its controls are built on first use,
// so that the game window shows sooner; translate its captions after that
// (the accessors and SetBindings build them).
class TKeysDialog : public QDialog
{
    Q_OBJECT

public:
    // `lookupMessage` gives a translated text by its key, or the key itself.
    TKeysDialog(QWidget *parent, std::function<QString(const QString &)> lookupMessage);

    TKeyBindings Bindings() const;
    void SetBindings(const TKeyBindings &bindings);
    void SetReserved(std::vector<TReservedKey> reserved) { mReserved = std::move(reserved); }
    // Shows the dialog modally; true when closed with OK.
    bool Execute();

    // The shortcuts of `window`'s menus and its own, by command caption.
    static std::vector<TReservedKey> ShortcutsOf(const QWidget &window);

    TKeyCaptureEdit *Edit(TGameKey key) const { return Built().mEdits[static_cast<int>(key)]; }
    QLabel *Message() const { return Built().mMessage; }
    QPushButton *Button1() const { return Built().mButton1; }
    QPushButton *Button2() const { return Built().mButton2; }

private:
    const TKeysDialog &Built() const;
    void BuildControls();
    void OkClick();
    TKeyConflictTexts ConflictTexts() const;
    QString Text(const QString &key, const QString &fallback) const;

    std::function<QString(const QString &)> mLookupMessage;
    std::vector<TReservedKey> mReserved;
    std::array<QLabel *, 3> mLabels{};
    std::array<TKeyCaptureEdit *, 3> mEdits{};
    QLabel *mMessage = nullptr;
    QPushButton *mButton1 = nullptr;
    QPushButton *mButton2 = nullptr;
};
