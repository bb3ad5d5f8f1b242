// The specimens panel: the project's specimens in a list (name and group), with add, remove,
// rename, group and reorder; choosing one asks the window to show it.
#pragma once

#include <QDockWidget>
#include <functional>
#include <optional>

#include "core/project.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace qlnx {

class SpecimensPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit SpecimensPanel(QWidget* parent = nullptr);

    // Lists the specimens, current one selected (-1 for none).
    void Show(const Project& project, int current);

    // What the window does for the panel's buttons and edits, each inside its guard.
    std::function<void(int)> OnChoose;
    std::function<void()> OnAdd;
    std::function<void(int)> OnRemove;
    std::function<void(int, int)> OnMove;
    std::function<void(int, const QString&)> OnRename;
    std::function<void(int, const QString&)> OnGroup;
    // The specimen's height for drift: a positive number, or none when the box is emptied.
    std::function<void(int, const std::optional<double>&)> OnHeight;

private:
    int Selected() const;

    QListWidget* list_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* group_ = nullptr;
    QLineEdit* height_ = nullptr;
    std::optional<double> shownHeight_;
    bool filling_ = false;
};

}  // namespace qlnx
