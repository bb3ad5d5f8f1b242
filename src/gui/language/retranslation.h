// Brings the texts of a window into the language in force. Every text-bearing part (window
// title, label, button, group box, tab, list item, menu item, tooltip) keeps the designed text
// it was given in a property, so that it can be shown in any language and back again.
#pragma once

#include <QString>

class QAbstractButton;
class QAction;
class QLabel;
class QObject;
class QWidget;

namespace qlnx {

// Translates root and everything in it. A text the program changed since the last pass is
// taken as the new designed text.
void RetranslateTree(QWidget* root);
// Translates every open window.
void RetranslateAllWindows();

// Sets a designed text and shows it in the language in force.
void SetDesignedText(QLabel* label, const QString& designed);
void SetDesignedText(QAction* action, const QString& designed);
void SetDesignedText(QAbstractButton* button, const QString& designed);
void SetDesignedToolTip(QWidget* widget, const QString& designed);

// The designed text of a button, whatever language it is shown in.
QString DesignedText(const QAbstractButton* button);
QString DesignedText(const QLabel* label);
// The designed tooltip of a widget, whatever language it is shown in.
QString DesignedToolTip(const QWidget* widget);

}  // namespace qlnx
