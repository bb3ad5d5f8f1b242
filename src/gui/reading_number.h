// Numbers the window shows for reading (the loop read-outs, the values under the mouse): a few
// significant digits in fixed notation where the text fits its room, E-notation only where a
// fixed text would not fit. Files and copies keep every digit.
#pragma once

#include <QString>
#include <functional>

class QLineEdit;

namespace qlnx {

// Significant digits of the window's read-outs.
inline constexpr int kReadoutDigits = 6;

// value rounded to digits significant digits: fixed notation when fits accepts that text,
// else the general format (E-notation beyond its fixed range).
QString ReadingNumber(double value, int digits, const std::function<bool(const QString&)>& fits);

// The width in pixels a line edit has for its text (inside its frame and margins).
int TextRoom(const QLineEdit& edit);

// Whether the edit shows its whole text.
bool ShowsWholeText(const QLineEdit& edit);

}  // namespace qlnx
