// The chart-editing handlers of the main window: operation type and object, drag write-back,
// adding and deleting nodes by double click, and the legend's hold on the loop marks.
#include <QComboBox>
#include <string>

#include "core/node_editing.h"
#include "gui/chart_widget.h"
#include "gui/tform1.h"

namespace qlnx {

void TForm1::cbb3Change() {
    EditMode = cbb3->currentIndex();
    const int previous = cbb2->currentIndex();
    cbb2->clear();
    for (const std::string& item : EditObjectItems(EditMode)) cbb2->addItem(QString::fromStdString(item));
    cht1->setCursorActive(EditMode == kEditAdd);
    // Leaving add mode keeps the chosen object; entering it with "LOOP" chosen falls back to
    // "None".
    cbb2->setCurrentIndex(0);
    if (previous < cbb2->count()) cbb2->setCurrentIndex(previous);
    EditSeries = EditSeriesOfObject(state_, cbb2->currentIndex());
    ApplyEditMode(EditMode, EditSeries);
}

void TForm1::cbb2Change() {
    EditSeries = EditSeriesOfObject(state_, cbb2->currentIndex());
    ApplyEditMode(EditMode, EditSeries);
}

void TForm1::ApplyEditMode(int mode, ChartSeries* target) {
    ChartSeries& loop = state_.LoopSeries();
    const bool targetsLoop = target == &loop;
    if (mode == kEditDrag) {
        loop.PointerVisible = targetsLoop;
        if (targetsLoop) {
            cht1->setOnDrag([this](int index) { LoopPointDragged(index); });
        } else {
            cht1->setOnDrag(nullptr);
        }
        cht1->setDragSeries(target);
    } else if (mode == kEditAdd || mode == kEditDelete) {
        loop.PointerVisible = targetsLoop;
    } else {
        // The drag tool keeps its series: its points can still be dragged, without write-back.
        cht1->setOnDrag(nullptr);
        loop.PointerVisible = false;
    }
    cht1->refresh();
}

void TForm1::LoopPointDragged(int index) { WriteBackLoopPoint(state_, index); }

void TForm1::cht1MouseMove(int x, int y) {
    LastMouseX = x;
    LastMouseY = y;
}

void TForm1::cht1DblClick() {
    if (EditSeries == nullptr) return;
    if (EditMode == kEditAdd) {
        const double x = cht1->XScreenToValue(LastMouseX);
        const double y = cht1->YScreenToValue(LastMouseY);
        AddNodeAt(state_, *EditSeries, x, y);
        cht1->refresh();
    } else if (EditMode == kEditDelete) {
        const int index = cht1->GetCursorValueIndex(*EditSeries);
        if (index >= 0) {
            DeleteNode(state_, *EditSeries, index);
            cht1->refresh();
        }
    }
}

void TForm1::cht1ClickLegend() {
    // The chosen loop's marks have no legend entry of their own: they follow its check box.
    const bool shown = state_.SelectedLoopSeries().Active;
    state_.pntsrsSeries1().Active = shown;
    state_.pntsrsSeries2().Active = shown;
    cht1->refresh();
}

}  // namespace qlnx
