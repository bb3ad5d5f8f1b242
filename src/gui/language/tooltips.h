// The tooltips of the main window and the export options dialog, kept in one table.
#pragma once

class QWidget;

namespace qlnx {

// Give every control and menu item of the main window, or of the export options dialog, that
// the table names its tooltip (menu items by their action's name); the menus show their
// items' tooltips.
void ApplyWindowToolTips(QWidget* window);
void ApplyExportOptionsToolTips(QWidget* dialog);

}  // namespace qlnx
