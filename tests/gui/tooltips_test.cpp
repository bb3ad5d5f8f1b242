// Every control and menu item of the main window and of the export options dialog says what
// it does.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "gui/dialogs/export_option_form.h"
#include "gui/main_window/tform1.h"
#include "scripted_dialogs.h"
#include "test_application.h"

namespace qlnx {
namespace {

// Names of the controls (buttons, boxes, lists) under root without a tooltip.
QStringList ControlsWithoutToolTip(const QWidget& root) {
    QStringList missing;
    for (const QWidget* w : root.findChildren<QWidget*>()) {
        const bool control = qobject_cast<const QAbstractButton*>(w) != nullptr ||
                             qobject_cast<const QLineEdit*>(w) != nullptr ||
                             qobject_cast<const QComboBox*>(w) != nullptr;
        // The line edit inside an editable list is part of the list.
        if (!control || qobject_cast<const QComboBox*>(w->parentWidget()) != nullptr) continue;
        // The message bar's close button and other unnamed helpers are not the window's own.
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
        if (w->toolTip().trimmed().isEmpty()) missing << w->objectName();
    }
    return missing;
}

TEST(ToolTips, EveryControlAndMenuItemOfTheWindow) {
    test::TestApplication();
    test::ScriptedDialogs dialogs;
    TForm1 form(dialogs);
    EXPECT_EQ(ControlsWithoutToolTip(form).join(QLatin1String(" ")).toStdString(), "");
    QStringList missing;
    for (const QAction* item : form.menuBar()->actions()) {
        const QMenu* menu = item->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(menu->toolTipsVisible()) << menu->objectName().toStdString();
        for (const QAction* a : menu->actions()) {
            // An action's tooltip is its text until one is given.
            const QString caption = QString(a->text()).remove(QLatin1Char('&'));
            if (!a->isSeparator() && (a->toolTip().isEmpty() || a->toolTip() == caption)) {
                missing << a->objectName();
            }
        }
    }
    EXPECT_EQ(missing.join(QLatin1String(" ")).toStdString(), "");
    // The six methods are told apart in words.
    QStringList methods;
    for (const char* rb : {"rb1", "rb2", "rb3", "rb4", "rb5", "rb6"}) {
        methods << form.findChild<QWidget*>(QString::fromLatin1(rb))->toolTip();
    }
    methods.removeDuplicates();
    EXPECT_EQ(methods.size(), 6);
}

TEST(ToolTips, EveryControlOfTheExportOptionsDialog) {
    test::TestApplication();
    TExcelExportOptions options;
    InitExcelExportOptions(options);
    TExportOptionForm form(options, nullptr, nullptr);
    EXPECT_EQ(ControlsWithoutToolTip(form).join(QLatin1String(" ")).toStdString(), "");
    // The dialog's names repeat the window's (edt1, rb1, ...): its own texts, not the window's.
    EXPECT_TRUE(form.findChild<QWidget*>(QStringLiteral("rb1"))
                    ->toolTip()
                    .contains(QLatin1String("column")));
}

}  // namespace
}  // namespace qlnx
