// The main window's part in the loading history: View > Loading History, a panel under the
// chart, and what it needs from the window (the Loop No. box, and the range of lines the
// record is read in, kept beside the first-line box).
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenu>

#include "core/import_range.h"
#include "gui/main_window/tform1.h"
#include "gui/protocol/loading_history_view.h"

namespace qlnx {

void TForm1::BuildHistoryCommand() {
    LoadingHistory1 = new QAction(QStringLiteral("Loading History"), this);
    LoadingHistory1->setObjectName(QStringLiteral("LoadingHistory1"));
    LoadingHistory1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    View1->insertAction(View1->actions().value(0), LoadingHistory1);
    connect(LoadingHistory1, &QAction::triggered, this,
            [this] { Guarded(&TForm1::LoadingHistory1Click); });
}

void TForm1::LoadingHistory1Click() {
    if (historyView_ == nullptr) {
        auto* dock = new QDockWidget(this);
        dock->setObjectName(QStringLiteral("dckLoadingHistory"));
        historyView_ = new LoadingHistoryView(state_, cht1, dock);
        dock->setWindowTitle(historyView_->windowTitle());
        dock->setWidget(historyView_);
        addDockWidget(Qt::BottomDockWidgetArea, dock);
        historyView_->SetLoopSelector([this](int loop) {
            if (loop < 0 || loop >= cbb1->count() || loop == cbb1->currentIndex()) return;
            cbb1->setCurrentIndex(loop);
            Guarded(&TForm1::cbb1Change);
        });
        historyView_->SetRangeSelector([this](size_t first, size_t last) {
            RunCommand([this, first, last] { ChooseRecordRange(first, last); });
        });
        historyView_->SetWholeRecord([this] { RunCommand([this] { ReadWholeRecord(); }); });
        historyView_->SetRangeInForce([this] {
            if (!wholeFirstLine_ && lastLine_ == 0) return QString();
            return QStringLiteral("Lines %1 to %2").arg(edt7->text()).arg(lastLine_);
        });
    }
    auto* dock = qobject_cast<QDockWidget*>(historyView_->parentWidget());
    dock->show();
    dock->raise();
    historyView_->Update();
}

void TForm1::ChooseRecordRange(size_t first, size_t last) {
    if (state_.FileNameText.empty() || last >= state_.RawDisp.size()) return;
    const int64_t firstLine = LineOfSample(state_, readWith_, first);
    const int64_t lastLine = LineOfSample(state_, readWith_, last);
    if (firstLine <= 0 || lastLine <= 0 || firstLine > INT32_MAX || lastLine > INT32_MAX) return;
    if (!wholeFirstLine_) wholeFirstLine_ = QString::number(readWith_.FirstLine);
    edt7->setText(QString::number(firstLine));
    lastLine_ = static_cast<int32_t>(lastLine);
    ReadRangeAgain();
}

void TForm1::ReadWholeRecord() {
    if (wholeFirstLine_) edt7->setText(*wholeFirstLine_);
    wholeFirstLine_.reset();
    lastLine_ = 0;
    ReadRangeAgain();
}

void TForm1::ReadRangeAgain() {
    const bool analysed = state_.LoopCount > 0;
    ReImportLoop();
    if (analysed && !state_.RawDisp.empty()) btn2Click();
    if (historyView_ != nullptr) historyView_->Update();
}

}  // namespace qlnx
