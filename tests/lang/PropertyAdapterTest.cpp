#include "lang/ui/PropertyAdapter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QSlider>

#include <gtest/gtest.h>

namespace {

using TKind = TPropertyAdapter::TKind;

TEST(PropertyAdapter, CaptionIsTheTextOfButtonsLabelsAndActions)
{
    QCheckBox box(QStringLiteral("link to desktop"));
    TPropertyAdapter caption(&box, QStringLiteral("caption"));
    ASSERT_EQ(caption.Kind(), TKind::Text);
    EXPECT_EQ(caption.ReadText(), "link to desktop");
    caption.WriteText(QStringLiteral("Verknüpfung"));
    EXPECT_EQ(box.text(), "Verknüpfung");

    QLabel label(QStringLiteral("Size:"));
    TPropertyAdapter(&label, QStringLiteral("Caption")).WriteText(QStringLiteral("Größe:"));
    EXPECT_EQ(label.text(), "Größe:");

    QAction action(QStringLiteral("Demo"));
    action.setShortcut(QKeySequence(Qt::Key_D));
    action.setCheckable(true);
    action.setChecked(true);
    TPropertyAdapter(&action, QStringLiteral("Caption")).WriteText(QStringLiteral("&Vorführung"));
    EXPECT_EQ(action.text(), "&Vorführung");
    EXPECT_EQ(action.shortcut(), QKeySequence(Qt::Key_D));
    EXPECT_TRUE(action.isChecked());
}

TEST(PropertyAdapter, CaptionIsTheTitleOfMenusAndGroupBoxes)
{
    QMenu menu(QStringLiteral("&Design"));
    TPropertyAdapter(&menu, QStringLiteral("Caption")).WriteText(QStringLiteral("&Aussehen"));
    EXPECT_EQ(menu.title(), "&Aussehen");

    QGroupBox group(QStringLiteral("Info"));
    TPropertyAdapter caption(&group, QStringLiteral("Caption"));
    EXPECT_EQ(caption.ReadText(), "Info");
    caption.WriteText(QStringLiteral("Auskunft"));
    EXPECT_EQ(group.title(), "Auskunft");
}

TEST(PropertyAdapter, CaptionOfAWindowIsItsTitle)
{
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("DesignParamDialog"));
    TPropertyAdapter caption(&dialog, QStringLiteral("Caption"));
    EXPECT_EQ(caption.ReadText(), "DesignParamDialog");
    caption.WriteText(QStringLiteral("Designer"));
    EXPECT_EQ(dialog.windowTitle(), "Designer");
}

TEST(PropertyAdapter, CaptionOfAPlainChildWidgetIsUnknown)
{
    QWidget window;
    QWidget panel(&window);
    EXPECT_EQ(TPropertyAdapter(&panel, QStringLiteral("Caption")).Kind(), TKind::None);
}

TEST(PropertyAdapter, ItemsOfAComboBoxKeepTheCurrentIndexQuietly)
{
    QComboBox combo;
    combo.addItems({"one", "two", "three"});
    combo.setCurrentIndex(1);
    QSignalSpy changes(&combo, &QComboBox::currentIndexChanged);
    TPropertyAdapter items(&combo, QStringLiteral("ITEMS"));
    ASSERT_EQ(items.Kind(), TKind::List);
    EXPECT_EQ(items.ReadText(), "");
    items.WriteList({"eins", "zwei", "drei"});
    EXPECT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.currentText(), "zwei");
    EXPECT_EQ(changes.count(), 0);
}

TEST(PropertyAdapter, ShorterItemListDropsACurrentRowPastItsEnd)
{
    QListWidget list;
    list.addItems({"a", "b", "c"});
    list.setCurrentRow(2);
    TPropertyAdapter(&list, QStringLiteral("Items")).WriteList({"x"});
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.currentRow(), -1);
}

TEST(PropertyAdapter, OtherNamesAreQtPropertiesWithoutRegardToCase)
{
    QSlider slider;
    slider.setRange(0, 100);
    TPropertyAdapter value(&slider, QStringLiteral("VALUE"));
    ASSERT_EQ(value.Kind(), TKind::Integer);
    value.WriteInteger(40);
    EXPECT_EQ(slider.value(), 40);

    QLabel label;
    TPropertyAdapter tip(&label, QStringLiteral("tooltip"));
    ASSERT_EQ(tip.Kind(), TKind::Text);
    tip.WriteText(QStringLiteral("Hinweis"));
    EXPECT_EQ(label.toolTip(), "Hinweis");
}

TEST(PropertyAdapter, OtherKindsTakeTextQtCanConvert)
{
    QLabel label;
    TPropertyAdapter wrap(&label, QStringLiteral("wordWrap"));
    ASSERT_EQ(wrap.Kind(), TKind::Other);
    wrap.WriteOther(QStringLiteral("true"));
    EXPECT_TRUE(label.wordWrap());

    TPropertyAdapter format(&label, QStringLiteral("textFormat"));
    format.WriteOther(QStringLiteral("PlainText"));
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    format.WriteOther(QStringLiteral("no such format"));
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
}

TEST(PropertyAdapter, ReadOnlyAndUnknownPropertiesAreNone)
{
    QLabel label;
    EXPECT_EQ(TPropertyAdapter(&label, QStringLiteral("hasSelectedText")).Kind(), TKind::None);
    EXPECT_EQ(TPropertyAdapter(&label, QStringLiteral("nonsense")).Kind(), TKind::None);
    EXPECT_EQ(TPropertyAdapter(nullptr, QStringLiteral("Caption")).Kind(), TKind::None);
}

TEST(PropertyAdapter, WriteOfTheWrongKindChangesNothing)
{
    QLabel label(QStringLiteral("keep"));
    TPropertyAdapter caption(&label, QStringLiteral("Caption"));
    caption.WriteInteger(3);
    caption.WriteList({"a"});
    caption.WriteOther(QStringLiteral("x"));
    EXPECT_EQ(label.text(), "keep");
}

} // namespace
