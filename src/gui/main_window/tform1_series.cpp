// The main window's part in comparing specimens: Analysis > Compare Specimens evaluates every
// specimen of the project as stored (the one shown as the window holds it) under a progress
// box, and shows them in the series window.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>

#include "core/series_evaluation.h"
#include "gui/dialogs/user_dialogs.h"
#include "gui/language/retranslation.h"
#include "gui/main_window/tform1.h"
#include "gui/qt_text.h"
#include "gui/series/series_window.h"

namespace qlnx {

void TForm1::BuildSeriesCommands() {
    CompareSpecimens1 = new QAction(QStringLiteral("Compare Specimens"), this);
    CompareSpecimens1->setObjectName(QStringLiteral("CompareSpecimens1"));
    SetDesignedText(CompareSpecimens1, QStringLiteral("Compare Specimens"));
    CompareSpecimens1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    // Beside Test Evaluation, at the end of the Analysis menu.
    if (auto* analysis = mm1->findChild<QMenu*>(QStringLiteral("Analysis1"))) {
        analysis->addAction(CompareSpecimens1);
    }
    connect(CompareSpecimens1, &QAction::triggered, this,
            [this] { Guarded(&TForm1::CompareSpecimens1Click); });
}

void TForm1::CompareSpecimens1Click() {
    if (!project_.IsOpen()) {
        dialogs_.warning(this, QStringLiteral("Warning"),
                         QStringLiteral("Open or start a project first; the specimens of its "
                                        "groups are compared."));
        return;
    }
    StoreShownSpecimen();
    SeriesEvaluation evaluation;
    {
        const std::unique_ptr<ProgressReport> progress = dialogs_.progress(
            this, QStringLiteral("QLNX"), QStringLiteral("Evaluating the specimens"));
        evaluation = EvaluateSpecimens(project_.Specimens().Specimens,
                                       [&progress](double done) { return progress->Update(done); });
    }
    if (evaluation.Stopped) return;
    if (seriesWindow_ == nullptr) {
        seriesWindow_ = new SeriesWindow(dialogs_, this);
        seriesWindow_->SetUrlOpener([this](const QUrl& url) { return openUrl_(url); });
    }
    seriesWindow_->SetProjectPath(PathText(project_.Path()));
    seriesWindow_->SetSpecimens(std::move(evaluation));
    seriesWindow_->Open();
}

}  // namespace qlnx
