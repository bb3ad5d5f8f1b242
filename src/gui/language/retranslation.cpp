#include "gui/language/retranslation.h"

#include <qcustomplot.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QWidget>

#include "gui/chart/chart_widget.h"

#include "gui/language/language.h"

namespace qlnx {

namespace {

// Each translated text of an object keeps two properties: the designed text and the text last
// shown for it. A shown text that differs from the one last shown was set by the program
// since, and becomes the designed text.
struct TextSlot {
    const char* designed;
    const char* shown;
};

constexpr TextSlot kText{"qlnxDesignedText", "qlnxShownText"};
constexpr TextSlot kTitle{"qlnxDesignedTitle", "qlnxShownTitle"};
constexpr TextSlot kToolTip{"qlnxDesignedToolTip", "qlnxShownToolTip"};
constexpr TextSlot kPlaceholder{"qlnxDesignedPlaceholder", "qlnxShownPlaceholder"};
constexpr TextSlot kItems{"qlnxDesignedItems", "qlnxShownItems"};
constexpr TextSlot kTabs{"qlnxDesignedTabs", "qlnxShownTabs"};

template <class T>
T Designed(QObject* object, const TextSlot& slot, const T& current) {
    const QVariant designed = object->property(slot.designed);
    if (!designed.isValid() || object->property(slot.shown).value<T>() != current) return current;
    return designed.value<T>();
}

// The text to show for current, remembered as shown.
QString Retranslate(QObject* object, const TextSlot& slot, const QString& current) {
    const QString designed = Designed(object, slot, current);
    const QString shown = Translated(designed);
    object->setProperty(slot.designed, designed);
    object->setProperty(slot.shown, shown);
    return shown;
}

QStringList Retranslate(QObject* object, const TextSlot& slot, const QStringList& current) {
    const QStringList designed = Designed(object, slot, current);
    QStringList shown;
    shown.reserve(designed.size());
    for (const QString& text : designed) shown << Translated(text);
    object->setProperty(slot.designed, designed);
    object->setProperty(slot.shown, shown);
    return shown;
}

QStringList ItemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

// The axis titles of a plot, and the names of its series where the plot does not take them
// from the analysis (the main chart names its series after the chart's series at every
// drawing; its legend translates them as it draws).
void RetranslatePlot(QCustomPlot* plot) {
    for (QCPAxisRect* rect : plot->axisRects()) {
        for (QCPAxis* axis : rect->axes()) {
            if (!axis->label().isEmpty() || axis->property(kText.designed).isValid()) {
                axis->setLabel(Retranslate(axis, kText, axis->label()));
            }
        }
    }
    if (qobject_cast<ChartWidget*>(plot) == nullptr) {
        for (int i = 0; i < plot->plottableCount(); ++i) {
            QCPAbstractPlottable* p = plot->plottable(i);
            p->setName(Retranslate(p, kText, p->name()));
        }
    }
    plot->replot();
}

void RetranslateWidget(QWidget* w) {
    if (w->isWindow()) w->setWindowTitle(Retranslate(w, kTitle, w->windowTitle()));
    if (!w->toolTip().isEmpty() || w->property(kToolTip.designed).isValid()) {
        w->setToolTip(Retranslate(w, kToolTip, w->toolTip()));
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(Retranslate(label, kText, label->text()));
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (!button->text().isEmpty() || button->property(kText.designed).isValid()) {
            button->setText(Retranslate(button, kText, button->text()));
        }
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        group->setTitle(Retranslate(group, kTitle, group->title()));
    } else if (auto* box = qobject_cast<QComboBox*>(w)) {
        // An editable list holds values the user may type, which stay as they are.
        if (box->isEditable()) return;
        const QStringList items = Retranslate(box, kItems, ItemsOf(box));
        for (int i = 0; i < items.size() && i < box->count(); ++i) {
            if (box->itemText(i) != items[i]) box->setItemText(i, items[i]);
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (!edit->placeholderText().isEmpty() || edit->property(kPlaceholder.designed).isValid()) {
            edit->setPlaceholderText(Retranslate(edit, kPlaceholder, edit->placeholderText()));
        }
    } else if (auto* plot = qobject_cast<QCustomPlot*>(w)) {
        RetranslatePlot(plot);
    } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        QStringList current;
        for (int i = 0; i < tabs->count(); ++i) current << tabs->tabText(i);
        const QStringList shown = Retranslate(tabs, kTabs, current);
        for (int i = 0; i < shown.size() && i < tabs->count(); ++i) tabs->setTabText(i, shown[i]);
    }
}

void RetranslateAction(QAction* a) {
    if (a->isSeparator()) return;
    // An action's tooltip is its text until one is given; only a given one is translated.
    const QString caption = QString(a->text()).remove(QLatin1Char('&'));
    const bool ownToolTip = a->property(kToolTip.designed).isValid() ||
                            (!a->toolTip().isEmpty() && a->toolTip() != caption);
    const QString tip = ownToolTip ? a->toolTip() : QString();
    a->setText(Retranslate(a, kText, a->text()));
    if (ownToolTip) a->setToolTip(Retranslate(a, kToolTip, tip));
}

}  // namespace

void RetranslateTree(QWidget* root) {
    RetranslateWidget(root);
    for (QWidget* w : root->findChildren<QWidget*>()) RetranslateWidget(w);
    for (QAction* a : root->findChildren<QAction*>()) RetranslateAction(a);
}

void RetranslateAllWindows() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        // Menus and other windows owned by a window are reached through their owner.
        if (window->parentWidget() == nullptr) RetranslateTree(window);
    }
}

void SetDesignedText(QLabel* label, const QString& designed) {
    const QString shown = Translated(designed);
    label->setProperty(kText.designed, designed);
    label->setProperty(kText.shown, shown);
    label->setText(shown);
}

void SetDesignedText(QAction* action, const QString& designed) {
    const QString shown = Translated(designed);
    action->setProperty(kText.designed, designed);
    action->setProperty(kText.shown, shown);
    action->setText(shown);
}

void SetDesignedText(QAbstractButton* button, const QString& designed) {
    const QString shown = Translated(designed);
    button->setProperty(kText.designed, designed);
    button->setProperty(kText.shown, shown);
    button->setText(shown);
}

void SetDesignedToolTip(QWidget* widget, const QString& designed) {
    const QString shown = Translated(designed);
    widget->setProperty(kToolTip.designed, designed);
    widget->setProperty(kToolTip.shown, shown);
    widget->setToolTip(shown);
}

QString DesignedText(const QAbstractButton* button) {
    const QVariant designed = button->property(kText.designed);
    if (designed.isValid() && button->property(kText.shown).toString() == button->text()) {
        return designed.toString();
    }
    return button->text();
}

QString DesignedText(const QLabel* label) {
    const QVariant designed = label->property(kText.designed);
    if (designed.isValid() && label->property(kText.shown).toString() == label->text()) {
        return designed.toString();
    }
    return label->text();
}

QString DesignedToolTip(const QWidget* widget) {
    const QVariant designed = widget->property(kToolTip.designed);
    if (designed.isValid() && widget->property(kToolTip.shown).toString() == widget->toolTip()) {
        return designed.toString();
    }
    return widget->toolTip();
}

}  // namespace qlnx
