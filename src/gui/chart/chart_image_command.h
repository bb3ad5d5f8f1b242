// "Save chart as image…": the save dialog, the image types and the safe write of the file.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace qlnx {

class ChartWidget;
class UserDialogs;

// The save dialog's image types, in the order of their 1-based filter index.
QString ChartImageFilter();

// Asks for a file name (offering the record's name, or "chart" when nothing is imported, in
// the record's folder), adds ".png" or ".pdf" by the chosen type when the name has neither,
// asks before replacing a file the dialog did not ask about, and writes the chart as it is
// shown, through a complete temporary file, so a failed write leaves any old file whole.
// Throws FileError when the image cannot be written (call it inside the error guard).
// initialFolder, when given, is where the dialog opens instead of the record's folder.
// Returns the file written, or an empty text when nothing was written.
QString SaveChartImage(QWidget* parent, UserDialogs& dialogs, ChartWidget& chart,
                       const QString& recordFile, const QString& initialFolder = QString());

// The same for any drawing: draw(file, pdf) writes the image into file, true when it could.
QString SaveImage(QWidget* parent, UserDialogs& dialogs,
                  const std::function<bool(const QString& file, bool pdf)>& draw,
                  const QString& recordFile, const QString& initialFolder = QString());

}  // namespace qlnx
