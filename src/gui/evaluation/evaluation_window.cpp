#include "gui/evaluation/evaluation_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>
#include <cmath>

#include "core/evaluation_options.h"
#include "core/evaluation_units.h"
#include "core/number_text.h"
#include "core/result_files.h"
#include "core/skeleton_evaluation.h"
#include "core/yield_constructions.h"
#include "gui/chart/chart_widget.h"
#include "gui/chart/construction_layer.h"
#include "gui/dialogs/user_dialogs.h"
#include "gui/error_guard.h"
#include "gui/evaluation/evaluation_models.h"
#include "gui/evaluation/evaluation_plots.h"
#include "gui/language/retranslation.h"
#include "gui/qt_text.h"
#include "spreadsheet/evaluation_workbook.h"
#include "spreadsheet/workbook_application.h"

namespace qlnx {

namespace {

const QString kGeometryKey = QStringLiteral("EvaluationWindow/geometry");
constexpr int kCustomPreset = 3;  // the preset list's last item

QTableView* NewTable(const char* name, EvaluationTableModel* model, QWidget* parent) {
    auto* sorter = new EvaluationSortModel(parent);
    sorter->setSourceModel(model);
    auto* view = Named(new QTableView(parent), name);
    view->setModel(sorter);
    view->setSortingEnabled(true);
    view->sortByColumn(-1, Qt::AscendingOrder);  // rows in their order until a header is clicked
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->verticalHeader()->setVisible(false);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    return view;
}

}  // namespace

EvaluationWindow::EvaluationWindow(const AnalysisState& state, ChartWidget* chart,
                                   UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), chart_(chart), dialogs_(dialogs) {
    setObjectName(QStringLiteral("EvaluationWindow"));
    setWindowTitle(QStringLiteral("Test Evaluation"));
    BuildControls();
    constructions_ = new ConstructionLayer(chart_);
    // The chart announces every drawing after a change: the evaluation follows in that frame.
    connect(chart_, &ChartWidget::aboutToRedraw, this, &EvaluationWindow::Update);
    RetranslateTree(this);
    resize(960, 780);
}

EvaluationWindow::~EvaluationWindow() = default;

void EvaluationWindow::BuildControls() {
    auto* top = new QVBoxLayout(this);

    auto* optionsBox = Named(new QGroupBox(QStringLiteral("Options"), this), "grpOptions");
    auto* options = new QHBoxLayout(optionsBox);
    auto* form = new QFormLayout;
    cbbPreset = Named(new QComboBox(optionsBox), "cbbPreset");
    for (const EvaluationPresetInfo& p : kEvaluationPresets) cbbPreset->addItem(Utf8Text(p.Name));
    cbbPreset->addItem(QStringLiteral("Custom"));
    form->addRow(QStringLiteral("Preset"), cbbPreset);
    spnUltimateRatio = Named(new QDoubleSpinBox(optionsBox), "spnUltimateRatio");
    spnUltimateRatio->setRange(0.01, 1.0);
    spnUltimateRatio->setSingleStep(0.05);
    spnUltimateRatio->setDecimals(3);
    form->addRow(QStringLiteral("Ultimate ratio"), spnUltimateRatio);
    options->addLayout(form);
    auto* form2 = new QFormLayout;
    cbbPeakPoint = Named(new QComboBox(optionsBox), "cbbPeakPoint");
    cbbPeakPoint->addItems({QStringLiteral("Displacement"), QStringLiteral("Force")});
    form2->addRow(QStringLiteral("Peak point"), cbbPeakPoint);
    spnLevelTolerance = Named(new QDoubleSpinBox(optionsBox), "spnLevelTolerance");
    spnLevelTolerance->setRange(0.0, 1.0);
    spnLevelTolerance->setSingleStep(0.01);
    spnLevelTolerance->setDecimals(3);
    spnLevelTolerance->setValue(EvaluationOptions{}.LevelTolerance);
    form2->addRow(QStringLiteral("Level tolerance"), spnLevelTolerance);
    options->addLayout(form2);
    auto* form3 = new QFormLayout;
    cbbYieldMethod = Named(new QComboBox(optionsBox), "cbbYieldMethod");
    for (const YieldMethodInfo& m : kYieldMethods) cbbYieldMethod->addItem(Utf8Text(m.Name));
    form3->addRow(QStringLiteral("Construction"), cbbYieldMethod);
    cbbSide = Named(new QComboBox(optionsBox), "cbbSide");
    cbbSide->addItems({QStringLiteral("Positive"), QStringLiteral("Negative")});
    form3->addRow(QStringLiteral("Side"), cbbSide);
    options->addLayout(form3);
    lblInForce = Named(new QLabel(optionsBox), "lblInForce");
    lblInForce->setTextInteractionFlags(Qt::TextSelectableByMouse);
    options->addWidget(lblInForce, 1);
    top->addWidget(optionsBox);

    lblNote = Named(new QLabel(this), "lblNote");
    lblNote->setWordWrap(true);
    lblNote->setStyleSheet(QStringLiteral("color: #a05000"));
    top->addWidget(lblNote);

    auto* split = Named(new QSplitter(Qt::Vertical, this), "splEvaluation");
    tabTables = Named(new QTabWidget(split), "tabTables");
    loopModel_ = new EvaluationTableModel(this);
    levelModel_ = new EvaluationTableModel(this);
    skeletonModel_ = new EvaluationTableModel(this);
    tblLoops = NewTable("tblLoops", loopModel_, tabTables);
    tblLevels = NewTable("tblLevels", levelModel_, tabTables);
    // The yield points' page: the table with the note on points left out beneath it.
    auto* skeletonPage = Named(new QWidget(tabTables), "wgtYieldPoints");
    auto* skeletonLayout = new QVBoxLayout(skeletonPage);
    skeletonLayout->setContentsMargins(0, 0, 0, 0);
    tblSkeleton = NewTable("tblSkeleton", skeletonModel_, skeletonPage);
    lblDroppedPoints = Named(new QLabel(skeletonPage), "lblDroppedPoints");
    lblDroppedPoints->setWordWrap(true);
    lblDroppedPoints->setVisible(false);
    skeletonLayout->addWidget(tblSkeleton, 1);
    skeletonLayout->addWidget(lblDroppedPoints);
    tabTables->addTab(tblLoops, QStringLiteral("Loops"));
    tabTables->addTab(tblLevels, QStringLiteral("Levels"));
    tabTables->addTab(skeletonPage, QStringLiteral("Yield Points"));
    plots_ = new EvaluationPlots(split);
    split->addWidget(tabTables);
    split->addWidget(plots_);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    top->addWidget(split, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btnCopy = Named(new QPushButton(QStringLiteral("Copy"), this), "btnCopy");
    btnSave = Named(new QPushButton(QStringLiteral("Save\u2026"), this), "btnSave");
    btnExport =
        Named(new QPushButton(QStringLiteral("Export to Workbook\u2026"), this), "btnExport");
    for (QPushButton* b : {btnCopy, btnSave, btnExport}) buttons->addWidget(b);
    top->addLayout(buttons);

    settingPreset_ = true;
    spnUltimateRatio->setValue(PresetInfo(EvaluationPreset::Jgj).UltimateRatio);
    settingPreset_ = false;

    connect(cbbPreset, &QComboBox::activated, this, &EvaluationWindow::PresetChanged);
    connect(spnUltimateRatio, &QDoubleSpinBox::valueChanged, this, [this] {
        if (settingPreset_) return;
        // A ratio of the user's own is no standard's any more.
        const int preset = cbbPreset->currentIndex();
        if (preset < kCustomPreset &&
            spnUltimateRatio->value() != kEvaluationPresets[preset].UltimateRatio) {
            cbbPreset->setCurrentIndex(kCustomPreset);
        }
        OptionChanged();
    });
    connect(cbbPeakPoint, &QComboBox::activated, this, &EvaluationWindow::OptionChanged);
    connect(spnLevelTolerance, &QDoubleSpinBox::valueChanged, this,
            &EvaluationWindow::OptionChanged);
    connect(cbbYieldMethod, &QComboBox::activated, this, &EvaluationWindow::ShowConstruction);
    connect(cbbSide, &QComboBox::activated, this, &EvaluationWindow::ShowConstruction);
    connect(tblLoops->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { LoopRowChosen(current); });
    connect(btnCopy, &QPushButton::clicked, this,
            [this] { Guarded(&EvaluationWindow::CopyClick); });
    connect(btnSave, &QPushButton::clicked, this,
            [this] { Guarded(&EvaluationWindow::SaveClick); });
    connect(btnExport, &QPushButton::clicked, this,
            [this] { Guarded(&EvaluationWindow::ExportClick); });
}

void EvaluationWindow::Guarded(void (EvaluationWindow::*handler)()) {
    RunGuarded(dialogs_, this, [this, handler] { (this->*handler)(); });
}

EvaluationOptions EvaluationWindow::Options() const {
    EvaluationOptions o;
    o.NoiseBand = context_ ? context_().NoiseBand : 0;
    o.UltimateRatio = spnUltimateRatio->value();
    o.PeakPoint =
        cbbPeakPoint->currentIndex() == 1 ? PeakPointRule::Force : PeakPointRule::Displacement;
    o.LevelTolerance = spnLevelTolerance->value();
    return o;
}

EvaluationReportHeader EvaluationWindow::ReportHeader() const {
    EvaluationReportHeader h;
    const EvaluationContext c = context_ ? context_() : EvaluationContext{};
    h.Record = c.RecordPath;
    h.SkeletonMethod = c.SkeletonMethod;
    const int preset = cbbPreset->currentIndex();
    h.Preset = preset < kCustomPreset ? std::string(kEvaluationPresets[preset].Name) : "none";
    if (state_.Channels.Active) {
        h.DisplacementUnit = state_.Channels.DisplacementUnit;
        h.ForceUnit = state_.Channels.ForceUnit;
    }
    return h;
}

void EvaluationWindow::PresetChanged() {
    const int preset = cbbPreset->currentIndex();
    if (preset >= kCustomPreset) return;
    settingPreset_ = true;
    spnUltimateRatio->setValue(kEvaluationPresets[preset].UltimateRatio);
    settingPreset_ = false;
    OptionChanged();
}

void EvaluationWindow::OptionChanged() {
    ++optionsRevision_;
    Update();
}

void EvaluationWindow::Open() {
    if (!isVisible()) {
        const QByteArray saved = QSettings().value(kGeometryKey).toByteArray();
        if (saved.isEmpty() || !restoreGeometry(saved)) {
            // First time: beside the main window, on its screen.
            if (QWidget* main = parentWidget()) {
                QRect frame(main->frameGeometry().topRight() + QPoint(8, 0), size());
                if (const QScreen* s = main->screen()) {
                    const QRect avail = s->availableGeometry();
                    if (frame.right() > avail.right()) frame.moveRight(avail.right());
                    if (frame.bottom() > avail.bottom()) frame.moveBottom(avail.bottom());
                }
                move(frame.topLeft());
            }
        }
    }
    show();
    raise();
    activateWindow();
    Update();
}

void EvaluationWindow::Update() {
    // A closed window computes nothing; it catches up when opened.
    if (!isVisible()) return;
    const Source now{state_.AnalysisRevision,
                     state_.Chart.GetSeries(ChartModel::PositiveSkeletonSeries).Revision(),
                     state_.Chart.GetSeries(ChartModel::NegativeSkeletonSeries).Revision(),
                     optionsRevision_};
    const bool all = now.Analysis != shown_.Analysis || now.Options != shown_.Options;
    const bool skeleton = now.Positive != shown_.Positive || now.Negative != shown_.Negative;
    const EvaluationContext context = context_ ? context_() : EvaluationContext{};
    SetDesignedText(lblInForce, QStringLiteral("Noise band: %1\nSkeleton: %2")
                                    .arg(QString::fromStdString(FormatGeneral15(context.NoiseBand)),
                                         QString::fromStdString(context.SkeletonMethod)));
    if (!all && !skeleton) return;
    shown_ = now;
    const EvaluationOptions options = Options();
    if (all) {
        evaluation_ = EvaluateTest(state_, options);
        loopModel_->SetTable(WithUnits(LoopTable(evaluation_)));
        levelModel_->SetTable(WithUnits(LevelTable(evaluation_)));
        plots_->Show(evaluation_);
    } else {
        evaluation_.Options = options;
        evaluation_.Skeleton =
            EvaluateSkeleton(state_.Chart.GetSeries(ChartModel::PositiveSkeletonSeries),
                             state_.Chart.GetSeries(ChartModel::NegativeSkeletonSeries),
                             options.UltimateRatio, options.UltimateDispCap);
    }
    ShowSkeleton();
}

EvaluationTable EvaluationWindow::WithUnits(EvaluationTable table) const {
    if (!state_.Channels.Active) return table;
    for (std::string& header : table.Header) {
        header =
            HeaderWithUnit(header, state_.Channels.DisplacementUnit, state_.Channels.ForceUnit);
    }
    return table;
}

void EvaluationWindow::ShowSkeleton() {
    skeletonModel_->SetTable(WithUnits(SkeletonTable(evaluation_.Skeleton)));
    QStringList notes;
    for (const auto& [side, branch] : {std::pair{"positive", &evaluation_.Skeleton.Positive},
                                       std::pair{"negative", &evaluation_.Skeleton.Negative}}) {
        if (*branch && !(*branch)->UltimateReached) {
            notes << QStringLiteral(
                         "The %1 branch never falls to %2 of its peak force: its last point "
                         "stands for the ultimate point and its ductilities are lower bounds.")
                         .arg(QLatin1String(side), QString::fromStdString(FormatGeneral15(
                                                       evaluation_.Options.UltimateRatio)));
        }
    }
    // One note a line, so that each is translated on its own.
    SetDesignedText(lblNote, notes.join(QLatin1Char('\n')));
    lblNote->setVisible(!notes.isEmpty());
    QStringList dropped;
    for (const auto& [side, branch] : {std::pair{"positive", &evaluation_.Skeleton.Positive},
                                       std::pair{"negative", &evaluation_.Skeleton.Negative}}) {
        if (*branch && (*branch)->DroppedPoints > 0) {
            dropped << QStringLiteral(
                           "%1 point(s) of the %2 branch step back (no further out than a point "
                           "before them) and are left out of its outward path: the yield points "
                           "and the ultimate point are found without them.")
                           .arg((*branch)->DroppedPoints)
                           .arg(QLatin1String(side));
        }
    }
    SetDesignedText(lblDroppedPoints, dropped.join(QLatin1Char('\n')));
    lblDroppedPoints->setVisible(!dropped.isEmpty());
    ShowConstruction();
}

void EvaluationWindow::ShowConstruction() {
    if (!isVisible()) {
        constructions_->Clear();
        return;
    }
    const bool negative = cbbSide->currentIndex() == 1;
    const ChartSeries& branch = state_.Chart.GetSeries(
        negative ? ChartModel::NegativeSkeletonSeries : ChartModel::PositiveSkeletonSeries);
    const auto method = static_cast<YieldMethod>(cbbYieldMethod->currentIndex());
    const std::optional<BranchConstruction> c = ConstructYield(
        branch.XValues(), branch.YValues(), negative, evaluation_.Options.UltimateRatio, method,
        evaluation_.Options.UltimateDispCap);
    if (!c) {
        constructions_->Clear();
        return;
    }
    constructions_->Show(&*c, cbbYieldMethod->currentText() + QStringLiteral(" (") +
                                  cbbSide->currentText().toLower() + QLatin1Char(')'));
}

void EvaluationWindow::LoopRowChosen(const QModelIndex& current) {
    if (!current.isValid() || !selectLoop_) return;
    const QModelIndex loop = current.sibling(current.row(), 0);
    const int number = loop.data(EvaluationTableModel::kSortRole).toInt();
    if (number >= 1 && number <= state_.LoopCount) selectLoop_(number - 1);
}

void EvaluationWindow::CopyClick() {
    QWidget* page = tabTables->currentWidget();
    const auto* view = qobject_cast<QTableView*>(page);
    if (view == nullptr && page != nullptr) view = page->findChild<QTableView*>();
    if (view == nullptr) return;
    QApplication::clipboard()->setText(TabSeparatedText(*view->model()));
}

void EvaluationWindow::SaveClick() {
    const EvaluationReportHeader header = ReportHeader();
    SaveFileRequest request;
    request.Filter = QStringLiteral("CSV files (*.csv);;Text files (*.txt)");
    request.FilterIndex = 1;
    const QFileInfo record(PathText(header.Record));
    request.InitialFolder = header.Record.empty() ? QString() : record.absolutePath();
    request.FileName = QString::fromStdString(ProposedResultName(header.Record, "_Evaluation"));
    const std::optional<SaveFileAnswer> answer = dialogs_.saveFile(this, request);
    if (!answer) return;
    const bool csv = answer->FilterIndex != 2;
    QString path = answer->FileName;
    const QString suffix = csv ? QStringLiteral(".csv") : QStringLiteral(".txt");
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) path += suffix;
    Update();
    const std::string text =
        csv ? EvaluationCsvText(evaluation_, header) : EvaluationTextFileText(evaluation_, header);
    // The record being analysed is never written over, under whatever name it is chosen.
    WriteGuard guard;
    guard.RecordPath = state_.FileNameText;
    WriteTextFile(QFile::encodeName(path).toStdString(), text, guard);
}

void EvaluationWindow::ExportClick() {
    Update();
    std::filesystem::path folder = workbookFolder_;
    if (folder.empty()) {
        std::error_code ec;
        folder = std::filesystem::temp_directory_path(ec);
        if (ec) folder = "/tmp";
    }
    const std::filesystem::path file = ReserveExportFileName(folder);
    try {
        WriteEvaluationWorkbook(evaluation_, ReportHeader(), file);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        throw;
    }
    if (openUrl_ && openUrl_(QUrl::fromLocalFile(PathText(file.string())))) return;
    dialogs_.information(this, QStringLiteral("QLNX"),
                         QStringLiteral("The workbook was saved as\n%1\nbut no program on this "
                                        "computer opened it.")
                             .arg(PathText(file.string())));
}

void EvaluationWindow::SaveGeometry() { QSettings().setValue(kGeometryKey, saveGeometry()); }

void EvaluationWindow::closeEvent(QCloseEvent* event) {
    SaveGeometry();
    QWidget::closeEvent(event);
}

void EvaluationWindow::hideEvent(QHideEvent* event) {
    // The constructions belong to the open window.
    SaveGeometry();
    constructions_->Clear();
    shown_ = Source{};
    QWidget::hideEvent(event);
}

}  // namespace qlnx
