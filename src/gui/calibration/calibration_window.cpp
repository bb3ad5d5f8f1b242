#include "gui/calibration/calibration_window.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QCheckBox>
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
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/calibration_export.h"
#include "core/calibration_loops.h"
#include "core/errors.h"
#include "core/result_files.h"
#include "core/safe_write.h"
#include "gui/calibration/calibration_tables.h"
#include "gui/dialogs/user_dialogs.h"
#include "gui/error_guard.h"
#include "gui/language/language.h"
#include "gui/language/retranslation.h"
#include "gui/qt_text.h"

namespace qlnx {

namespace {

QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The models' colours on the plot, in the order fitted.
const QColor kModelColours[] = {QColor(200, 30, 30), QColor(0, 90, 200), QColor(0, 140, 70),
                                QColor(220, 110, 0), QColor(150, 60, 170)};

QTableWidget* NewTable(const char* name, QWidget* parent) {
    auto* view = Named(new QTableWidget(parent), name);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->setVisible(false);
    return view;
}

QCPCurve* AddCurve(QCustomPlot* plot, const QString& name, const QColor& colour, double width,
                   const std::vector<double>& x, const std::vector<double>& y) {
    auto* curve = new QCPCurve(plot->xAxis, plot->yAxis);
    curve->setName(name);
    curve->setPen(QPen(colour, width));
    QVector<double> keys(x.begin(), x.end());
    QVector<double> values(y.begin(), y.end());
    curve->setData(keys, values);
    return curve;
}

}  // namespace

CalibrationWindow::CalibrationWindow(const AnalysisState& state, UserDialogs& dialogs,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("CalibrationWindow"));
    setWindowTitle(QStringLiteral("Calibrate Model"));
    BuildControls();
    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(100);
    connect(progressTimer_, &QTimer::timeout, this, &CalibrationWindow::ShowProgress);
    connect(&run_, &CalibrationRun::finished, this, &CalibrationWindow::RunFinished);
    SetRunning(false);
    ShowFits();
    RetranslateTree(this);
    resize(1000, 760);
}

CalibrationWindow::~CalibrationWindow() = default;

void CalibrationWindow::BuildControls() {
    auto* top = new QVBoxLayout(this);
    auto* settings = new QHBoxLayout;
    auto* models = Named(new QGroupBox(QStringLiteral("Models"), this), "grpModels");
    auto* modelList = new QVBoxLayout(models);
    for (const CalibrationModelRow& row : CalibrationModels()) {
        auto* box = new QCheckBox(Utf8(row.Title), models);
        box->setObjectName(QStringLiteral("chk") + Utf8(row.Command));
        modelList->addWidget(box);
        chkModels.push_back(box);
    }
    chkModels.front()->setChecked(true);
    settings->addWidget(models);

    auto* fit = Named(new QGroupBox(QStringLiteral("Fit"), this), "grpFit");
    auto* form = new QFormLayout(fit);
    spnSeed = Named(new QSpinBox(fit), "spnSeed");
    spnSeed->setRange(1, 1000000);
    spnSeed->setValue(static_cast<int>(CalibrationSettings{}.Seed));
    form->addRow(QStringLiteral("Seed"), spnSeed);
    spnEnergyWeight = Named(new QDoubleSpinBox(fit), "spnEnergyWeight");
    spnEnergyWeight->setRange(0, 10);
    spnEnergyWeight->setSingleStep(0.05);
    spnEnergyWeight->setDecimals(3);
    form->addRow(QStringLiteral("Energy weight"), spnEnergyWeight);
    chkPrefilter =
        Named(new QCheckBox(QStringLiteral("Remove noise reversals"), fit), "chkPrefilter");
    form->addRow(chkPrefilter);
    chkArcLength =
        Named(new QCheckBox(QStringLiteral("Weigh samples by path length"), fit), "chkArcLength");
    form->addRow(chkArcLength);
    settings->addWidget(fit);

    auto* runBox = new QVBoxLayout;
    auto* buttons = new QHBoxLayout;
    btnRun = Named(new QPushButton(QStringLiteral("Run"), this), "btnRun");
    btnRun->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    btnCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "btnCancel");
    buttons->addWidget(btnRun);
    buttons->addWidget(btnCancel);
    buttons->addStretch(1);
    runBox->addLayout(buttons);
    prgFit = Named(new QProgressBar(this), "prgFit");
    prgFit->setRange(0, 1000);
    prgFit->setTextVisible(false);
    runBox->addWidget(prgFit);
    lblStatus = Named(new QLabel(this), "lblStatus");
    lblStatus->setWordWrap(true);
    runBox->addWidget(lblStatus);
    runBox->addStretch(1);
    settings->addLayout(runBox, 1);
    top->addLayout(settings);

    auto* split = Named(new QSplitter(Qt::Horizontal, this), "splCalibration");
    pltFit = Named(new QCustomPlot(split), "pltFit");
    pltFit->xAxis->setLabel(QStringLiteral("Displacement"));
    pltFit->yAxis->setLabel(QStringLiteral("Force"));
    pltFit->legend->setVisible(true);
    pltFit->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    pltFit->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);

    tabResults = Named(new QTabWidget(split), "tabResults");
    tblComparison = NewTable("tblComparison", tabResults);
    auto* parametersPage = Named(new QWidget(tabResults), "wgtParameters");
    auto* parametersLayout = new QVBoxLayout(parametersPage);
    parametersLayout->setContentsMargins(0, 0, 0, 0);
    auto* modelRow = new QHBoxLayout;
    auto* modelLabel = Named(new QLabel(QStringLiteral("Model"), parametersPage), "lblModel");
    cbbModel = Named(new QComboBox(parametersPage), "cbbModel");
    modelRow->addWidget(modelLabel);
    modelRow->addWidget(cbbModel, 1);
    parametersLayout->addLayout(modelRow);
    tblParameters = NewTable("tblParameters", parametersPage);
    parametersLayout->addWidget(tblParameters, 1);
    tblLoopEnergy = NewTable("tblLoopEnergy", tabResults);
    auto* openSeesPage = Named(new QWidget(tabResults), "wgtOpenSees");
    auto* openSeesLayout = new QVBoxLayout(openSeesPage);
    openSeesLayout->setContentsMargins(0, 0, 0, 0);
    cbbOpenSeesForm = Named(new QComboBox(openSeesPage), "cbbOpenSeesForm");
    cbbOpenSeesForm->addItems({QStringLiteral("Tcl"), QStringLiteral("OpenSeesPy")});
    openSeesLayout->addWidget(cbbOpenSeesForm);
    txtOpenSees = Named(new QPlainTextEdit(openSeesPage), "txtOpenSees");
    txtOpenSees->setReadOnly(true);
    txtOpenSees->setLineWrapMode(QPlainTextEdit::NoWrap);
    openSeesLayout->addWidget(txtOpenSees, 1);
    auto* textButtons = new QHBoxLayout;
    textButtons->addStretch(1);
    btnCopy = Named(new QPushButton(QStringLiteral("Copy"), openSeesPage), "btnCopy");
    btnSave =
        Named(new QPushButton(QStringLiteral("Save OpenSees\u2026"), openSeesPage), "btnSave");
    textButtons->addWidget(btnCopy);
    textButtons->addWidget(btnSave);
    openSeesLayout->addLayout(textButtons);
    tabResults->addTab(tblComparison, QStringLiteral("Comparison"));
    tabResults->addTab(parametersPage, QStringLiteral("Parameters"));
    tabResults->addTab(tblLoopEnergy, QStringLiteral("Energy per Loop"));
    tabResults->addTab(openSeesPage, QStringLiteral("OpenSees"));
    split->addWidget(pltFit);
    split->addWidget(tabResults);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    top->addWidget(split, 1);

    connect(btnRun, &QPushButton::clicked, this, [this] { Guarded(&CalibrationWindow::RunClick); });
    connect(btnCancel, &QPushButton::clicked, this,
            [this] { Guarded(&CalibrationWindow::CancelClick); });
    connect(btnCopy, &QPushButton::clicked, this,
            [this] { Guarded(&CalibrationWindow::CopyClick); });
    connect(btnSave, &QPushButton::clicked, this,
            [this] { Guarded(&CalibrationWindow::SaveClick); });
    connect(cbbModel, &QComboBox::currentIndexChanged, this, [this] { ShowModel(); });
    connect(cbbOpenSeesForm, &QComboBox::currentIndexChanged, this, [this] { ShowModel(); });
    // A row of the comparison shows that model's parameters, energies and text.
    connect(tblComparison, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0 && row < cbbModel->count()) cbbModel->setCurrentIndex(row);
    });
}

void CalibrationWindow::Guarded(void (CalibrationWindow::*handler)()) {
    RunGuarded(dialogs_, this, [this, handler] { (this->*handler)(); });
}

void CalibrationWindow::Open() {
    if (!isVisible()) {
        if (QWidget* main = parentWidget()) move(main->frameGeometry().topLeft() + QPoint(40, 40));
    }
    show();
    raise();
    activateWindow();
}

void CalibrationWindow::SetRunning(bool running) {
    btnRun->setEnabled(!running);
    btnCancel->setEnabled(running);
    for (QCheckBox* box : chkModels) box->setEnabled(!running);
    if (running) {
        progressTimer_->start();
    } else {
        progressTimer_->stop();
    }
}

void CalibrationWindow::RunClick() {
    if (run_.Running()) return;
    std::vector<CalibrationModel> models;
    const auto rows = CalibrationModels();
    for (size_t k = 0; k < chkModels.size(); ++k) {
        if (chkModels[k]->isChecked()) models.push_back(rows[k].Model);
    }
    if (models.empty()) {
        SetDesignedText(lblStatus, QStringLiteral("Choose at least one model."));
        return;
    }
    if (state_.LoopDisp.size() < 3) {
        SetDesignedText(lblStatus,
                        QStringLiteral("Analyze the loops of a record before fitting a model."));
        return;
    }
    CalibrationSettings settings;
    settings.Seed = static_cast<uint32_t>(spnSeed->value());
    settings.EnergyWeight = spnEnergyWeight->value();
    settings.Prefilter = chkPrefilter->isChecked();
    settings.ArcLengthWeights = chkArcLength->isChecked();
    fittedDisp_ = state_.LoopDisp;
    fittedForce_ = state_.LoopForce;
    fittedRevision_ = state_.AnalysisRevision;
    prgFit->setValue(0);
    SetDesignedText(lblStatus, QStringLiteral("Fitting\u2026"));
    run_.Start(fittedDisp_, fittedForce_, std::move(models), settings);
    SetRunning(true);
}

void CalibrationWindow::CancelClick() { run_.Cancel(); }

void CalibrationWindow::ShowProgress() {
    prgFit->setValue(static_cast<int>(run_.Fraction() * 1000));
}

void CalibrationWindow::RunFinished() {
    SetRunning(false);
    prgFit->setValue(run_.Cancelled() ? prgFit->value() : 1000);
    if (!run_.ErrorText().empty()) {
        SetDesignedText(lblStatus, QString());
        dialogs_.error(this, QStringLiteral("QLNX"), Translated(Utf8(run_.ErrorText())));
        return;
    }
    fits_ = run_.Fits();
    const QString done = QString::number(fits_.size());
    SetDesignedText(lblStatus, run_.Cancelled()
                                   ? QStringLiteral("Cancelled. Models fitted: %1.").arg(done)
                                   : QStringLiteral("Models fitted: %1.").arg(done));
    ShowFits();
}

void CalibrationWindow::ShowFits() {
    pltFit->clearPlottables();
    if (!fittedDisp_.empty()) {
        AddCurve(pltFit, QStringLiteral("Record"), QColor(150, 150, 150), 1, fittedDisp_,
                 fittedForce_);
    }
    const QSignalBlocker block(cbbModel);
    cbbModel->clear();
    for (size_t k = 0; k < fits_.size(); ++k) {
        const CalibrationModelRow& row = CalibrationModelRowOf(fits_[k].Result.Model);
        AddCurve(pltFit, Utf8(row.Command), kModelColours[k % std::size(kModelColours)], 1.5,
                 fittedDisp_, fits_[k].Result.ModelForce);
        cbbModel->addItem(Utf8(row.Title));
    }
    RetranslateTree(this);
    pltFit->rescaleAxes();
    pltFit->replot();
    ShowTable(tblComparison, ComparisonTable(fits_));
    cbbModel->setCurrentIndex(fits_.empty() ? -1 : 0);
    ShowModel();
}

const TimedFit* CalibrationWindow::ShownFit() const {
    const int k = cbbModel->currentIndex();
    if (k < 0 || static_cast<size_t>(k) >= fits_.size()) return nullptr;
    return &fits_[static_cast<size_t>(k)];
}

QString CalibrationWindow::OpenSeesTextShown(bool python) const {
    const TimedFit* fit = ShownFit();
    if (fit == nullptr) return {};
    CalibrationSource source;
    source.RecordName = state_.FileNameText;
    source.LengthUnit = state_.Channels.DisplacementUnit;
    source.ForceUnit = state_.Channels.ForceUnit;
    return Utf8(OpenSeesText(fit->Result, source, python));
}

void CalibrationWindow::ShowModel() {
    const TimedFit* fit = ShownFit();
    ShowTable(tblParameters, fit ? ParameterTable(fit->Result) : ParameterTable({}));
    std::vector<LoopEnergyPair> energies;
    if (fit != nullptr && fittedRevision_ == state_.AnalysisRevision) {
        energies = LoopEnergies(state_, fit->Result.ModelForce);
    }
    ShowTable(tblLoopEnergy, LoopEnergyTable(energies));
    txtOpenSees->setPlainText(OpenSeesTextShown(cbbOpenSeesForm->currentIndex() == 1));
    btnCopy->setEnabled(fit != nullptr);
    btnSave->setEnabled(fit != nullptr);
}

void CalibrationWindow::CopyClick() {
    const QString text = OpenSeesTextShown(cbbOpenSeesForm->currentIndex() == 1);
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void CalibrationWindow::SaveClick() {
    const TimedFit* fit = ShownFit();
    if (fit == nullptr) return;
    SaveFileRequest request;
    request.Filter = QStringLiteral("Tcl files (*.tcl);;Python files (*.py)");
    request.FilterIndex = cbbOpenSeesForm->currentIndex() == 1 ? 2 : 1;
    const std::string& record = state_.FileNameText;
    request.InitialFolder = record.empty() ? QString() : QFileInfo(PathText(record)).absolutePath();
    request.FileName = QString::fromStdString(ProposedResultName(
        record, "_" + std::string(CalibrationModelRowOf(fit->Result.Model).Command)));
    const std::optional<SaveFileAnswer> answer = dialogs_.saveFile(this, request);
    if (!answer) return;
    const bool python = answer->FilterIndex == 2;
    QString path = answer->FileName;
    const QString suffix = python ? QStringLiteral(".py") : QStringLiteral(".tcl");
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) path += suffix;
    // The record being analysed is never written over, under whatever name it is chosen.
    WriteGuard guard;
    guard.RecordPath = state_.FileNameText;
    WriteTextFile(QFile::encodeName(path).toStdString(), OpenSeesTextShown(python).toStdString(),
                  guard);
}

void CalibrationWindow::changeEvent(QEvent* event) {
    // The tables' headers and words follow the language.
    if (event->type() == QEvent::LanguageChange && tblComparison != nullptr) {
        ShowTable(tblComparison, ComparisonTable(fits_));
        ShowModel();
    }
    QWidget::changeEvent(event);
}

}  // namespace qlnx
