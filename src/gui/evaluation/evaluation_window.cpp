#include "gui/evaluation/evaluation_window.h"

#include <qcustomplot.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "core/evaluation_options.h"
#include "core/evaluation_units.h"
#include "core/number_text.h"
#include "core/result_files.h"
#include "core/skeleton_evaluation.h"
#include "core/yield_constructions.h"
#include "gui/chart/chart_widget.h"
#include "gui/chart/construction_layer.h"
#include "gui/chart/plot_image.h"
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
const QString kDockedKey = QStringLiteral("EvaluationWindow/docked");
// The size the window opens at when the screen has room for it.
constexpr QSize kOpeningSize(960, 780);

// Whether a window's frame lies whole on one screen's working area.
bool OnAScreen(const QRect& frame) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QScreen* s) { return s->availableGeometry().contains(frame); });
}
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

// Shrinks a window to its screen's working area where it is larger, then moves it inside.
void KeepOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) return;
    const QRect avail = screen->availableGeometry();
    const QSize frame = window.frameGeometry().size() - window.size();
    const QSize fitting = window.size().boundedTo(avail.size() - frame);
    if (fitting != window.size()) window.resize(fitting.expandedTo(window.minimumSizeHint()));
    QRect f = window.frameGeometry();
    if (f.right() > avail.right()) f.moveRight(avail.right());
    if (f.bottom() > avail.bottom()) f.moveBottom(avail.bottom());
    if (f.left() < avail.left()) f.moveLeft(avail.left());
    if (f.top() < avail.top()) f.moveTop(avail.top());
    if (f.topLeft() != window.frameGeometry().topLeft()) window.move(f.topLeft());
}

}  // namespace

EvaluationWindow::EvaluationWindow(const AnalysisState& state, ChartWidget* chart,
                                   UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent, kFloatingFlags),
      state_(state),
      chart_(chart),
      dialogs_(dialogs),
      main_(parent) {
    setObjectName(QStringLiteral("EvaluationWindow"));
    setWindowTitle(QStringLiteral("Test Evaluation"));
    BuildControls();
    constructions_ = new ConstructionLayer(chart_);
    // The chart announces every drawing after a change: the evaluation follows in that frame.
    connect(chart_, &ChartWidget::aboutToRedraw, this, &EvaluationWindow::Update);
    RetranslateTree(this);
    resize(kOpeningSize);
}

EvaluationWindow::~EvaluationWindow() = default;

void EvaluationWindow::BuildControls() {
    auto* top = new QVBoxLayout(this);

    auto* optionsBox = Named(new QGroupBox(QStringLiteral("Options"), this), "grpOptions");
    auto* optionsRows = new QVBoxLayout(optionsBox);
    auto* options = new QHBoxLayout;
    optionsRows->addLayout(options);
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
    // Two columns of options: the window fits half of a small screen.
    cbbYieldMethod = Named(new QComboBox(optionsBox), "cbbYieldMethod");
    for (const YieldMethodInfo& m : kYieldMethods) cbbYieldMethod->addItem(Utf8Text(m.Name));
    form->addRow(QStringLiteral("Construction"), cbbYieldMethod);
    cbbSide = Named(new QComboBox(optionsBox), "cbbSide");
    cbbSide->addItems({QStringLiteral("Positive"), QStringLiteral("Negative")});
    form2->addRow(QStringLiteral("Side"), cbbSide);
    options->addStretch(1);
    lblInForce = Named(new QLabel(optionsBox), "lblInForce");
    lblInForce->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblInForce->setWordWrap(true);
    optionsRows->addWidget(lblInForce);
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
    for (QCustomPlot* plot : {plots_->EnergyPlot(), plots_->DampingPlot(), plots_->StiffnessPlot(),
                              plots_->DegradationPlot()}) {
        AddImageCommands(plot);
    }
    split->addWidget(tabTables);
    split->addWidget(plots_);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    top->addWidget(split, 1);

    auto* buttons = new QHBoxLayout;
    chkDock = Named(new QCheckBox(QStringLiteral("Dock beside the chart"), this), "chkDock");
    chkDock->setVisible(qobject_cast<QMainWindow*>(main_) != nullptr);
    buttons->addWidget(chkDock);
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
    connect(chkDock, &QCheckBox::toggled, this, [this](bool docked) {
        QSettings().setValue(kDockedKey, docked);
        SetDocked(docked);
    });
}

void EvaluationWindow::AddImageCommands(QCustomPlot* plot) {
    auto* save = new QAction(QStringLiteral("Save Image\u2026"), plot);
    save->setObjectName(plot->objectName() + QStringLiteral("SaveImage"));
    auto* copy = new QAction(QStringLiteral("Copy"), plot);
    copy->setObjectName(plot->objectName() + QStringLiteral("CopyImage"));
    plot->addAction(save);
    plot->addAction(copy);
    plot->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(save, &QAction::triggered, this,
            [this, plot] { RunGuarded(dialogs_, this, [this, plot] { SavePlotImage(*plot); }); });
    connect(copy, &QAction::triggered, this,
            [plot] { QApplication::clipboard()->setImage(PlotPicture(*plot)); });
}

void EvaluationWindow::SavePlotImage(QCustomPlot& plot) {
    const EvaluationReportHeader header = ReportHeader();
    SaveFileRequest request;
    request.Filter = PlotImageFilter();
    request.FilterIndex = 1;
    request.InitialFolder =
        header.Record.empty() ? QString() : QFileInfo(PathText(header.Record)).absolutePath();
    // The record's name with the plot's: "wall_Energy".
    QString name = plot.objectName();
    name.remove(QStringLiteral("plt"));
    request.FileName =
        QString::fromStdString(ProposedResultName(header.Record, "_" + name.toStdString()));
    const std::optional<SaveFileAnswer> answer = dialogs_.saveFile(this, request);
    if (!answer) return;
    const int index =
        answer->FilterIndex >= 1 && answer->FilterIndex <= 3 ? answer->FilterIndex : 1;
    const auto type = static_cast<PlotImageType>(index);
    QString path = answer->FileName;
    const QString suffix = PlotImageSuffix(type);
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) path += suffix;
    const QByteArray bytes = PlotImageBytes(plot, type);
    WriteGuard guard;
    guard.RecordPath = state_.FileNameText;
    WriteTextFile(QFile::encodeName(path).toStdString(),
                  std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), guard);
}

void EvaluationWindow::SetDocked(bool docked) {
    auto* main = qobject_cast<QMainWindow*>(main_);
    if (main == nullptr || docked == IsDocked()) return;
    const bool visible = isVisible();
    if (docked) {
        if (isWindow() && visible) SaveGeometry();
        if (dock_ == nullptr) {
            dock_ = new QDockWidget(main);
            dock_->setObjectName(QStringLiteral("dckEvaluation"));
            dock_->setWindowTitle(windowTitle());
            dock_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
            main->addDockWidget(Qt::RightDockWidgetArea, dock_);
        }
        dock_->setWidget(this);
        dock_->setVisible(visible);
        show();
        // The dock widens the main window: once laid out, it is kept whole on its screen.
        QTimer::singleShot(0, main, [main] { KeepOnScreen(*main); });
    } else {
        setParent(main_, kFloatingFlags);
        if (dock_ != nullptr) dock_->hide();
        if (visible) {
            PlaceOnScreen();
            show();
        }
    }
    if (chkDock->isChecked() != docked) {
        const QSignalBlocker quiet(chkDock);
        chkDock->setChecked(docked);
    }
    if (visible) Update();
}

bool EvaluationWindow::IsDocked() const { return dock_ != nullptr && parentWidget() == dock_; }

void EvaluationWindow::PlaceOnScreen() {
    const QByteArray saved = QSettings().value(kGeometryKey).toByteArray();
    // A place left on a screen that is no longer there (or only partly) is not used.
    if (!saved.isEmpty() && restoreGeometry(saved) && OnAScreen(frameGeometry())) return;
    const QScreen* screen = main_ != nullptr ? main_->screen() : this->screen();
    if (screen == nullptr) return;
    const QRect avail = screen->availableGeometry();
    // Room for the frame, which the window system adds around the window when it shows it.
    const QSize frameRoom = isVisible() ? frameGeometry().size() - size() : QSize(16, 40);
    const QSize fitting = kOpeningSize.boundedTo(avail.size() - frameRoom);
    resize(fitting.expandedTo(minimumSizeHint()));
    // Beside the main window where there is room, else against the right edge; never off
    // the top or the left of the screen.
    QRect frame(QPoint(0, 0), size() + frameRoom);
    frame.moveTopLeft(main_ != nullptr ? main_->frameGeometry().topRight() + QPoint(8, 0)
                                       : avail.topLeft());
    if (frame.right() > avail.right()) frame.moveRight(avail.right());
    if (frame.bottom() > avail.bottom()) frame.moveBottom(avail.bottom());
    if (frame.left() < avail.left()) frame.moveLeft(avail.left());
    if (frame.top() < avail.top()) frame.moveTop(avail.top());
    move(frame.topLeft());
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
    // A standard's largest slip, where the record's unit of length is known.
    const int preset = cbbPreset->currentIndex();
    if (preset < kCustomPreset) {
        const auto cap = kEvaluationPresets[preset].SlipCapMillimetres;
        const auto mm = MillimetresPerUnit(state_.Channels.DisplacementUnit);
        if (cap && mm && *mm > 0) o.UltimateDispCap = *cap / *mm;
    }
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

YieldMethod EvaluationWindow::Construction() const {
    return static_cast<YieldMethod>(cbbYieldMethod->currentIndex());
}

std::optional<EvaluationPreset> EvaluationWindow::Preset() const {
    const int preset = cbbPreset->currentIndex();
    if (preset < 0 || preset >= kCustomPreset) return std::nullopt;
    return kEvaluationPresets[preset].Preset;
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
    const bool docked = QSettings().value(kDockedKey, false).toBool() &&
                        qobject_cast<QMainWindow*>(main_) != nullptr;
    if (docked != IsDocked()) SetDocked(docked);
    if (IsDocked()) {
        dock_->show();
        dock_->raise();
        show();
    } else {
        if (!isVisible()) PlaceOnScreen();
        show();
        raise();
        activateWindow();
    }
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
        tblLoops->resizeColumnsToContents();
        tblLevels->resizeColumnsToContents();
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
    tblSkeleton->resizeColumnsToContents();
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
    const EvaluationReportHeader header = ReportHeader();
    SaveFileRequest request;
    request.Filter = QStringLiteral("Excel workbooks (*.xlsx)");
    request.FilterIndex = 1;
    request.InitialFolder =
        header.Record.empty() ? QString() : QFileInfo(PathText(header.Record)).absolutePath();
    request.FileName = QString::fromStdString(ProposedResultName(header.Record, "_Evaluation"));
    const std::optional<SaveFileAnswer> answer = dialogs_.saveFile(this, request);
    if (!answer) return;
    QString path = answer->FileName;
    if (!path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        path += QStringLiteral(".xlsx");
    Update();
    // The workbook is made in the temporary folder, then put in its place whole: an old file
    // of that name stays as it was when anything fails, and the record is never written over.
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec) folder = "/tmp";
    const std::filesystem::path draft = ReserveExportFileName(folder);
    std::string bytes;
    try {
        // The sheet carries the loading protocol as the evaluation file of the batch tool does.
        const ProtocolRecognition protocol =
            RecogniseProtocol(state_, evaluation_.Options, &evaluation_.Loops);
        WriteEvaluationWorkbook(evaluation_, header, draft, &protocol);
        std::ifstream in(draft, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (...) {
        std::filesystem::remove(draft, ec);
        throw;
    }
    std::filesystem::remove(draft, ec);
    WriteGuard guard;
    guard.RecordPath = state_.FileNameText;
    WriteTextFile(QFile::encodeName(path).toStdString(), bytes, guard);
    if (openUrl_) openUrl_(QUrl::fromLocalFile(path));
}

void EvaluationWindow::SaveGeometry() {
    // Only the floating window's place is kept: the dock keeps its own.
    if (isWindow()) QSettings().setValue(kGeometryKey, saveGeometry());
}

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
