// File-type filters of the open and save dialogs, from the "Name|patterns|..." form to Qt's.
#pragma once

#include <QString>

namespace qlnx {

// Turns "Text Files|*txt|All Files|*.*" into "Text Files (*txt);;All Files (*)": each
// description with its patterns (';' separated) in parentheses, filters joined by ";;".
// "*.*" becomes "*", because on this platform "*.*" would skip names without a dot while
// the filter means every file.
QString QtFileFilter(const QString& pipeFilter);

}  // namespace qlnx
