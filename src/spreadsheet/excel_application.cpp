#include "spreadsheet/excel_application.h"

#include "spreadsheet/automation_calls.h"
#include "spreadsheet/class_registry.h"

namespace qlnx {

AutoValue CreateExcelApplication(AutoValue& holder, const SpreadsheetUi& ui) {
    try {
        holder = AutoValue::Object(CreateObjectFromProgId("Excel.Application", ui));
        return holder;
    } catch (...) {  // whatever stopped the server from starting
        holder = AutoValue::Null();
        if (ui.Information) {
            ui.Information("错误", "创建Excel文件出错, 请确认本机是否安装了MS-EXCEL.");
        }
        return AutoValue::Null();
    }
}

void ShowExcelApplication(const AutoValue& holder) {
    const DispatchPtr application =
        ValueToObject(PropertyGet(ValueToObject(holder), "Application"));
    PropertySet(application, "Visible", AutoValue::Bool(true));
}

}  // namespace qlnx
