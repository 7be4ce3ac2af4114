#pragma once

#include <QMetaProperty>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>

// Reads and writes one named property of a Qt object as translations need
// it. "Caption" becomes the text, title, tab text or window title that the
// object shows, "Items" the entries of a list or combo box; any other name
// is looked up among the object's Qt properties without regard to case.
class TPropertyAdapter
{
public:
    enum class TKind { None, Text, Integer, List, Other };

    TPropertyAdapter(QObject *object, const QString &name);

    TKind Kind() const { return mKind; }
    // The current text of a text property; empty for every other kind.
    QString ReadText() const;
    void WriteText(const QString &text);
    void WriteInteger(int32_t value);
    void WriteList(const QStringList &items);
    // A property of another kind, given as text; Qt converts it when it can,
    // otherwise the property stays as it is.
    void WriteOther(const QString &text);

private:
    enum class TSpecial { None, TabText, WindowTitle, ListItems, ComboItems };

    void ResolveCaption();
    void ResolveItems();
    void ResolveMetaProperty(const QString &name);
    bool UseMetaProperty(const char *name);

    QPointer<QObject> mObject;
    TKind mKind = TKind::None;
    TSpecial mSpecial = TSpecial::None;
    QMetaProperty mProperty;
};
