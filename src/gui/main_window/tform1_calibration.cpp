// The main window's part in model calibration: opening the calibration window over the
// analysis state.
#include "gui/calibration/calibration_window.h"
#include "gui/main_window/tform1.h"

namespace qlnx {

void TForm1::CalibrateModel1Click() {
    if (calibrationWindow_ == nullptr) {
        calibrationWindow_ = new CalibrationWindow(state_, dialogs_, this);
    }
    calibrationWindow_->Open();
}

}  // namespace qlnx
