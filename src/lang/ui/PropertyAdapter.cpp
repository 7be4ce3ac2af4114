#include "lang/ui/PropertyAdapter.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>

namespace {

QTabWidget *TabWidgetOf(QObject *page)
{
    // A tab page sits in the tab widget's internal stack.
    auto *stack = qobject_cast<QStackedWidget *>(page ? page->parent() : nullptr);
    auto *tabs = qobject_cast<QTabWidget *>(stack ? stack->parent() : nullptr);
    if (tabs && tabs->indexOf(qobject_cast<QWidget *>(page)) >= 0)
        return tabs;
    return nullptr;
}

TPropertyAdapter::TKind KindOf(const QMetaProperty &property)
{
    if (property.isEnumType())
        return TPropertyAdapter::TKind::Other;
    switch (property.metaType().id()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::QChar:
        return TPropertyAdapter::TKind::Text;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return TPropertyAdapter::TKind::Integer;
    case QMetaType::QStringList:
    case QMetaType::QVariantList:
        return TPropertyAdapter::TKind::List;
    default:
        return TPropertyAdapter::TKind::Other;
    }
}

// Keeps the current row where it was, and keeps change handlers quiet,
// while the entries are replaced: only the texts change.
void ReplaceEntries(QListWidget *list, const QStringList &items)
{
    const QSignalBlocker blocker(list);
    const int row = list->currentRow();
    list->clear();
    list->addItems(items);
    list->setCurrentRow(row < items.size() ? row : -1);
}

void ReplaceEntries(QComboBox *combo, const QStringList &items)
{
    const QSignalBlocker blocker(combo);
    const int index = combo->currentIndex();
    const QString editText = combo->isEditable() ? combo->currentText() : QString();
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(index < items.size() ? index : -1);
    if (combo->isEditable() && index < 0)
        combo->setEditText(editText);
}

} // namespace

TPropertyAdapter::TPropertyAdapter(QObject *object, const QString &name) : mObject(object)
{
    if (!object)
        return;
    if (name.compare(QLatin1String("Caption"), Qt::CaseInsensitive) == 0)
        ResolveCaption();
    else if (name.compare(QLatin1String("Items"), Qt::CaseInsensitive) == 0)
        ResolveItems();
    if (mKind == TKind::None)
        ResolveMetaProperty(name);
}

void TPropertyAdapter::ResolveCaption()
{
    if (TabWidgetOf(mObject)) {
        mKind = TKind::Text;
        mSpecial = TSpecial::TabText;
        return;
    }
    const auto *widget = qobject_cast<QWidget *>(mObject.data());
    // Actions, buttons and labels show "text"; menus and group boxes "title".
    if (UseMetaProperty("text") || UseMetaProperty("title"))
        return;
    if (widget && widget->isWindow()) {
        mKind = TKind::Text;
        mSpecial = TSpecial::WindowTitle;
    }
}

void TPropertyAdapter::ResolveItems()
{
    if (qobject_cast<QListWidget *>(mObject.data())) {
        mKind = TKind::List;
        mSpecial = TSpecial::ListItems;
    } else if (qobject_cast<QComboBox *>(mObject.data())) {
        mKind = TKind::List;
        mSpecial = TSpecial::ComboItems;
    }
}

bool TPropertyAdapter::UseMetaProperty(const char *name)
{
    const QMetaObject *meta = mObject->metaObject();
    const int index = meta->indexOfProperty(name);
    if (index < 0 || !meta->property(index).isWritable())
        return false;
    mProperty = meta->property(index);
    mKind = KindOf(mProperty);
    return true;
}

void TPropertyAdapter::ResolveMetaProperty(const QString &name)
{
    const QMetaObject *meta = mObject->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.isWritable()
            && QLatin1String(property.name()).compare(name, Qt::CaseInsensitive) == 0) {
            mProperty = property;
            mKind = KindOf(property);
            return;
        }
    }
}

QString TPropertyAdapter::ReadText() const
{
    if (!mObject || mKind != TKind::Text)
        return {};
    switch (mSpecial) {
    case TSpecial::TabText: {
        QTabWidget *tabs = TabWidgetOf(mObject);
        return tabs->tabText(tabs->indexOf(qobject_cast<QWidget *>(mObject.data())));
    }
    case TSpecial::WindowTitle:
        return qobject_cast<QWidget *>(mObject.data())->windowTitle();
    default:
        return mProperty.read(mObject).toString();
    }
}

void TPropertyAdapter::WriteText(const QString &text)
{
    if (!mObject || mKind != TKind::Text)
        return;
    switch (mSpecial) {
    case TSpecial::TabText: {
        QTabWidget *tabs = TabWidgetOf(mObject);
        tabs->setTabText(tabs->indexOf(qobject_cast<QWidget *>(mObject.data())), text);
        break;
    }
    case TSpecial::WindowTitle:
        qobject_cast<QWidget *>(mObject.data())->setWindowTitle(text);
        break;
    default:
        mProperty.write(mObject, text);
        break;
    }
}

void TPropertyAdapter::WriteInteger(int32_t value)
{
    if (mObject && mKind == TKind::Integer)
        mProperty.write(mObject, QVariant::fromValue(static_cast<qlonglong>(value)));
}

void TPropertyAdapter::WriteList(const QStringList &items)
{
    if (!mObject || mKind != TKind::List)
        return;
    if (mSpecial == TSpecial::ListItems) {
        ReplaceEntries(qobject_cast<QListWidget *>(mObject.data()), items);
    } else if (mSpecial == TSpecial::ComboItems) {
        ReplaceEntries(qobject_cast<QComboBox *>(mObject.data()), items);
    } else if (mProperty.metaType().id() == QMetaType::QVariantList) {
        QVariantList values;
        for (const QString &item : items)
            values.append(item);
        mProperty.write(mObject, values);
    } else {
        mProperty.write(mObject, items);
    }
}

void TPropertyAdapter::WriteOther(const QString &text)
{
    if (!mObject || mKind != TKind::Other)
        return;
    QVariant value(text);
    if (mProperty.isEnumType() || value.convert(mProperty.metaType()))
        mProperty.write(mObject, mProperty.isEnumType() ? QVariant(text) : value);
}
