// The About box: program name, version, licence and what the program is for.
#pragma once

#include <QDialog>

namespace qlnx {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

// The program's version text, e.g. "1.0.0".
QString ProgramVersion();

}  // namespace qlnx
