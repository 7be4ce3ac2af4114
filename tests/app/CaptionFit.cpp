#include "CaptionFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>

namespace {

// What a caption shows: a single "&" marks the shortcut letter and is not drawn.
QString Shown(QString text)
{
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

int Width(const QWidget &widget, const QString &text)
{
    int widest = 0;
    for (const QString &line : Shown(text).split(QLatin1Char('\n')))
        widest = std::max(widest, widget.fontMetrics().horizontalAdvance(line));
    return widest;
}

QString Where(const QWidget &window, const QWidget &widget)
{
    return window.objectName() + QLatin1Char('/') + widget.objectName() + QLatin1String(": ");
}

bool LabelCut(const QLabel &label)
{
    if (label.text().isEmpty() || Qt::mightBeRichText(label.text()))
        return false;
    const QRect room = label.contentsRect().adjusted(label.margin(), label.margin(),
                                                     -label.margin(), -label.margin());
    if (label.wordWrap())
        return label.heightForWidth(label.width()) > label.height();
    const int lines = label.text().count(QLatin1Char('\n')) + 1;
    return Width(label, label.text()) > room.width()
           || lines * label.fontMetrics().height() > room.height() + 1;
}

bool ButtonCut(const QAbstractButton &button)
{
    if (button.text().isEmpty())
        return false;
    if (qobject_cast<const QCheckBox *>(&button) || qobject_cast<const QRadioButton *>(&button))
        return button.sizeHint().width() > button.width();
    // A push button's hint has a minimum width; what counts is the text
    // with the margin and frames the style puts around it.
    const QStyle &style = *button.style();
    const int padding = style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button)
                        + 2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
    const int icon = button.icon().isNull() ? 0 : button.iconSize().width() + 4;
    return Width(button, button.text()) + icon + padding > button.width();
}

void CheckList(const QWidget &window, const QListWidget &list, QStringList &cut)
{
    QStyleOptionViewItem option;
    option.initFrom(list.viewport());
    option.font = list.font();
    option.decorationSize = list.iconSize().isValid() ? list.iconSize() : QSize(16, 16);
    option.features = QStyleOptionViewItem::HasDisplay;
    for (int row = 0; row < list.count(); ++row) {
        const QModelIndex index = list.model()->index(row, 0);
        if (list.itemDelegate()->sizeHint(option, index).width() > list.viewport()->width())
            cut << Where(window, list) + list.item(row)->text();
    }
}

void CheckTabs(const QWidget &window, const QTabBar &bar, QStringList &cut)
{
    const int space = bar.style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, &bar);
    for (int i = 0; i < bar.count(); ++i) {
        const QRect tab = bar.tabRect(i);
        if (Width(bar, bar.tabText(i)) + space > tab.width() || !bar.rect().contains(tab))
            cut << Where(window, bar) + bar.tabText(i);
    }
}

void CheckMenuBar(const QWidget &window, const QMenuBar &bar, QStringList &cut)
{
    // Entries that do not fit go behind an extension button, out of sight.
    for (QAction *action : bar.actions()) {
        const QRect place = bar.actionGeometry(action);
        if (action->isVisible() && (place.isEmpty() || !bar.rect().contains(place)))
            cut << Where(window, bar) + action->text();
    }
}

// The shown controls of `window` found below `root` (the window or one page).
void CheckVisible(QWidget &window, QWidget &root, QStringList &cut)
{
    const QList<QWidget *> widgets = root.findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (!widget->isVisibleTo(&window) || widget->window() != &window)
            continue;
        if (auto *label = qobject_cast<QLabel *>(widget); label && LabelCut(*label))
            cut << Where(window, *label) + label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(widget); button && ButtonCut(*button))
            cut << Where(window, *button) + button->text();
        else if (auto *list = qobject_cast<QListWidget *>(widget))
            CheckList(window, *list, cut);
        else if (auto *bar = qobject_cast<QTabBar *>(widget))
            CheckTabs(window, *bar, cut);
        else if (auto *menu = qobject_cast<QMenuBar *>(widget))
            CheckMenuBar(window, *menu, cut);
        else if (auto *group = qobject_cast<QGroupBox *>(widget);
                 group && Width(*group, group->title()) > group->width())
            cut << Where(window, *group) + group->title();
    }
}

// Lets a change of captions travel up through the layouts, one posted
// request per level, so what is measured is what a player sees.
void Settle()
{
    for (int round = 0; round < 8; ++round)
        QCoreApplication::processEvents();
}

} // namespace

QStringList CutShortCaptions(QWidget &window)
{
    Settle();
    QStringList cut;
    CheckVisible(window, window, cut);
    for (QTabWidget *tabs : window.findChildren<QTabWidget *>()) {
        if (!tabs->isVisibleTo(&window))
            continue;
        const int shown = tabs->currentIndex();
        for (int page = 0; page < tabs->count(); ++page) {
            if (page == shown)
                continue;
            tabs->setCurrentIndex(page);
            Settle();
            CheckVisible(window, *tabs->widget(page), cut);
        }
        tabs->setCurrentIndex(shown);
    }
    cut.removeDuplicates();
    return cut;
}
