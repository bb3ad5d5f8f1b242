#include "gui/series/series_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>
#include <optional>

#include "core/report_write.h"
#include "core/result_files.h"
#include "gui/chart/chart_image_command.h"
#include "gui/dialogs/user_dialogs.h"
#include "gui/error_guard.h"
#include "gui/evaluation/evaluation_models.h"
#include "gui/language/language.h"
#include "gui/language/retranslation.h"
#include "gui/qt_text.h"
#include "gui/series/series_plot.h"
#include "report/report_document.h"
#include "report/series_report.h"
#include "spreadsheet/series_workbook.h"
#include "spreadsheet/workbook_application.h"

namespace qlnx {

namespace {

QPushButton* NewButton(const QString& caption, const char* name, QWidget* parent) {
    return Named(new QPushButton(caption, parent), name);
}

}  // namespace

SeriesWindow::SeriesWindow(UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs) {
    setObjectName(QStringLiteral("SeriesWindow"));
    setWindowTitle(QStringLiteral("Compare Specimens"));
    BuildControls();
    RetranslateTree(this);
    resize(1100, 820);
}

SeriesWindow::~SeriesWindow() = default;

void SeriesWindow::BuildControls() {
    auto* top = new QVBoxLayout(this);
    auto* choices = new QHBoxLayout;
    const auto labelled = [&](const QString& caption, const char* labelName, QWidget* box) {
        choices->addWidget(Named(new QLabel(caption, this), labelName));
        choices->addWidget(box);
    };
    cbbSeriesGroup = Named(new QComboBox(this), "cbbSeriesGroup");
    cbbSeriesGroup->setMinimumContentsLength(12);
    labelled(QStringLiteral("Group"), "lblSeriesGroup", cbbSeriesGroup);
    cbbSeriesCurves = Named(new QComboBox(this), "cbbSeriesCurves");
    cbbSeriesCurves->addItems({QStringLiteral("Skeleton curves"), QStringLiteral("Loops")});
    labelled(QStringLiteral("Show"), "lblSeriesCurves", cbbSeriesCurves);
    cbbSeriesScale = Named(new QComboBox(this), "cbbSeriesScale");
    for (const SeriesScaleInfo& s : kSeriesScales) cbbSeriesScale->addItem(Utf8Text(s.Name));
    labelled(QStringLiteral("Normalisation"), "lblSeriesScale", cbbSeriesScale);
    cbbSeriesYield = Named(new QComboBox(this), "cbbSeriesYield");
    for (const YieldMethodInfo& m : kYieldMethods) cbbSeriesYield->addItem(Utf8Text(m.Name));
    cbbSeriesYield->setCurrentIndex(static_cast<int>(YieldMethod::EEEP));
    labelled(QStringLiteral("Yield method"), "lblSeriesYield", cbbSeriesYield);
    chkSeriesMean =
        Named(new QCheckBox(QStringLiteral("Mean skeleton \u00b1 one standard deviation"), this),
              "chkSeriesMean");
    chkSeriesMean->setChecked(true);
    choices->addWidget(chkSeriesMean);
    choices->addStretch(1);
    top->addLayout(choices);

    lblSeriesNotes = Named(new QLabel(this), "lblSeriesNotes");
    lblSeriesNotes->setWordWrap(true);
    lblSeriesNotes->setStyleSheet(QStringLiteral("color: #a05000"));
    lblSeriesNotes->setVisible(false);
    top->addWidget(lblSeriesNotes);

    auto* split = Named(new QSplitter(Qt::Vertical, this), "splSeries");
    plot_ = new SeriesPlot(split);
    tblSeries = Named(new QTableView(split), "tblSeries");
    model_ = new EvaluationTableModel(this);
    tblSeries->setModel(model_);
    tblSeries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblSeries->verticalHeader()->setVisible(false);
    tblSeries->verticalHeader()->setDefaultSectionSize(tblSeries->fontMetrics().height() + 4);
    split->addWidget(plot_);
    split->addWidget(tblSeries);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    top->addWidget(split, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btnSeriesCopy = NewButton(QStringLiteral("Copy"), "btnSeriesCopy", this);
    btnSeriesSave = NewButton(QStringLiteral("Save\u2026"), "btnSeriesSave", this);
    btnSeriesExport =
        NewButton(QStringLiteral("Export to Workbook\u2026"), "btnSeriesExport", this);
    btnSeriesImage = NewButton(QStringLiteral("Save Chart\u2026"), "btnSeriesImage", this);
    btnSeriesReport = NewButton(QStringLiteral("Test Report\u2026"), "btnSeriesReport", this);
    btnSeriesReport->setToolTip(
        QStringLiteral("Save a PDF test report of the series: the comparison table with its "
                       "statistics, the overlay and mean skeleton charts, and a page for each "
                       "specimen."));
    for (QPushButton* b :
         {btnSeriesCopy, btnSeriesSave, btnSeriesExport, btnSeriesImage, btnSeriesReport}) {
        buttons->addWidget(b);
    }
    top->addLayout(buttons);

    // The choices of the last use come back.
    const QSettings settings;
    cbbSeriesCurves->setCurrentIndex(
        settings.value(QStringLiteral("SeriesWindow/Curves"), 0).toInt());
    cbbSeriesScale->setCurrentIndex(
        settings.value(QStringLiteral("SeriesWindow/Scale"), 0).toInt());
    cbbSeriesYield->setCurrentIndex(
        settings.value(QStringLiteral("SeriesWindow/Yield"), static_cast<int>(YieldMethod::EEEP))
            .toInt());
    chkSeriesMean->setChecked(settings.value(QStringLiteral("SeriesWindow/Mean"), true).toBool());

    connect(cbbSeriesGroup, &QComboBox::currentIndexChanged, this,
            [this] { Guarded(&SeriesWindow::GroupChanged); });
    for (QComboBox* box : {cbbSeriesCurves, cbbSeriesScale}) {
        connect(box, &QComboBox::currentIndexChanged, this,
                [this] { Guarded(&SeriesWindow::Redraw); });
    }
    connect(cbbSeriesYield, &QComboBox::currentIndexChanged, this,
            [this] { Guarded(&SeriesWindow::YieldChanged); });
    connect(chkSeriesMean, &QCheckBox::toggled, this, [this] { Guarded(&SeriesWindow::Redraw); });
    connect(btnSeriesCopy, &QPushButton::clicked, this,
            [this] { Guarded(&SeriesWindow::CopyClick); });
    connect(btnSeriesSave, &QPushButton::clicked, this,
            [this] { Guarded(&SeriesWindow::SaveClick); });
    connect(btnSeriesExport, &QPushButton::clicked, this,
            [this] { Guarded(&SeriesWindow::ExportClick); });
    connect(btnSeriesImage, &QPushButton::clicked, this,
            [this] { Guarded(&SeriesWindow::ImageClick); });
    connect(btnSeriesReport, &QPushButton::clicked, this,
            [this] { Guarded(&SeriesWindow::ReportClick); });
}

void SeriesWindow::Guarded(void (SeriesWindow::*handler)()) {
    RunGuarded(dialogs_, this, [this, handler] { (this->*handler)(); });
}

SeriesScale SeriesWindow::Scale() const {
    return kSeriesScales[static_cast<size_t>(std::max(0, cbbSeriesScale->currentIndex()))].Scale;
}

YieldMethod SeriesWindow::Yield() const {
    return static_cast<YieldMethod>(std::max(0, cbbSeriesYield->currentIndex()));
}

const SeriesGroup* SeriesWindow::Group() const {
    const int g = cbbSeriesGroup->currentIndex();
    if (g < 0 || g >= static_cast<int>(groups_.size())) return nullptr;
    return &groups_[static_cast<size_t>(g)];
}

void SeriesWindow::SetSpecimens(SeriesEvaluation evaluation) {
    const QString shown = cbbSeriesGroup->currentData().toString();
    evaluation_ = std::move(evaluation);
    groups_ = MakeSeriesGroups(MembersOf(evaluation_), Yield());
    {
        const QSignalBlocker block(cbbSeriesGroup);
        cbbSeriesGroup->clear();
        for (const SeriesGroup& g : groups_) {
            // The group's name as the user gave it; a specimen without a group is in "".
            const QString name = Utf8Text(g.Name);
            cbbSeriesGroup->addItem(
                name.isEmpty() ? Translated(QStringLiteral("(no group)")) : name, name);
        }
        const int keep = cbbSeriesGroup->findData(shown);
        cbbSeriesGroup->setCurrentIndex(keep >= 0 ? keep : 0);
    }
    GroupChanged();
}

void SeriesWindow::GroupChanged() {
    const SeriesGroup* group = Group();
    model_->SetTable(group != nullptr ? SeriesGroupTable(*group) : EvaluationTable{});
    tblSeries->resizeColumnsToContents();
    Redraw();
}

void SeriesWindow::YieldChanged() {
    groups_ = MakeSeriesGroups(MembersOf(evaluation_), Yield());
    GroupChanged();
}

void SeriesWindow::Redraw() {
    const SeriesGroup* group = Group();
    const bool curves = cbbSeriesCurves->currentIndex() == 1;
    overlay_ = group != nullptr ? MakeSeriesOverlay(GroupSpecimens(evaluation_, group->Name),
                                                    Scale(), Yield(), curves)
                                : SeriesOverlay{};
    const SeriesScaleInfo& scale = kSeriesScales[static_cast<size_t>(Scale())];
    plot_->Show(overlay_, curves, chkSeriesMean->isChecked(), Translated(Utf8Text(scale.XTitle)),
                Translated(Utf8Text(scale.YTitle)));
    ShowNotes();
    RememberChoices();
}

void SeriesWindow::RememberChoices() const {
    QSettings settings;
    settings.setValue(QStringLiteral("SeriesWindow/Curves"), cbbSeriesCurves->currentIndex());
    settings.setValue(QStringLiteral("SeriesWindow/Scale"), cbbSeriesScale->currentIndex());
    settings.setValue(QStringLiteral("SeriesWindow/Yield"), cbbSeriesYield->currentIndex());
    settings.setValue(QStringLiteral("SeriesWindow/Mean"), chkSeriesMean->isChecked());
}

void SeriesWindow::ShowNotes() {
    // One note a line, each translated on its own.
    QStringList notes;
    for (const std::string& m : evaluation_.Messages) notes << Utf8Text(m);
    for (const std::string& m : overlay_.LeftOut) {
        notes << QStringLiteral("Not drawn: %1.").arg(Utf8Text(m));
    }
    if (groups_.empty()) notes << QStringLiteral("The project has no specimen to compare.");
    SetDesignedText(lblSeriesNotes, notes.join(QLatin1Char('\n')));
    lblSeriesNotes->setVisible(!notes.isEmpty());
}

void SeriesWindow::Open() {
    if (!isVisible()) {
        if (QWidget* main = parentWidget()) {
            QRect frame(main->frameGeometry().topLeft() + QPoint(40, 40), size());
            if (const QScreen* s = main->screen()) {
                const QRect avail = s->availableGeometry();
                if (frame.right() > avail.right()) frame.moveRight(avail.right());
                if (frame.bottom() > avail.bottom()) frame.moveBottom(avail.bottom());
                if (frame.left() < avail.left()) frame.moveLeft(avail.left());
                if (frame.top() < avail.top()) frame.moveTop(avail.top());
            }
            move(frame.topLeft());
        }
    }
    show();
    raise();
    activateWindow();
    // The chart is drawn for the size it is shown at.
    Redraw();
}

QString SeriesWindow::SaveFolder() const {
    return projectPath_.isEmpty() ? QString() : QFileInfo(projectPath_).absolutePath();
}

void SeriesWindow::CopyClick() { QApplication::clipboard()->setText(TabSeparatedText(*model_)); }

void SeriesWindow::SaveClick() {
    const SeriesGroup* group = Group();
    if (group == nullptr) return;
    SaveFileRequest request;
    request.Filter = QStringLiteral("CSV files (*.csv)");
    request.FilterIndex = 1;
    request.InitialFolder = SaveFolder();
    const QString base = projectPath_.isEmpty() ? QStringLiteral("Series")
                                                : QFileInfo(projectPath_).completeBaseName();
    request.FileName = base + QStringLiteral("_Series.csv");
    const std::optional<SaveFileAnswer> answer = dialogs_.saveFile(this, request);
    if (!answer) return;
    QString path = answer->FileName;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
    // The project file is never written over by a table.
    WriteGuard guard;
    guard.RecordPath = PathBytes(projectPath_);
    WriteTextFile(PathBytes(path), SeriesCsvText({*group}), guard);
}

void SeriesWindow::ExportClick() {
    const SeriesGroup* group = Group();
    if (group == nullptr) return;
    std::filesystem::path folder = workbookFolder_;
    if (folder.empty()) {
        std::error_code ec;
        folder = std::filesystem::temp_directory_path(ec);
        if (ec) folder = "/tmp";
    }
    const std::filesystem::path file = ReserveExportFileName(folder);
    const SeriesScaleInfo& scale = kSeriesScales[static_cast<size_t>(Scale())];
    // The workbook's chart overlays the skeleton curves in the scale shown.
    const SeriesOverlay skeletons =
        MakeSeriesOverlay(GroupSpecimens(evaluation_, group->Name), Scale(), Yield(), false);
    try {
        WriteSeriesWorkbook(*group, skeletons, Yield(), {scale.Name, scale.XTitle, scale.YTitle},
                            file);
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

void SeriesWindow::ImageClick() {
    SaveImage(
        this, dialogs_,
        [this](const QString& file, bool pdf) {
            return pdf ? plot_->savePdf(file) : plot_->savePng(file, 0, 0, 2.0);
        },
        projectPath_, SaveFolder());
}

void SeriesWindow::ReportClick() {
    if (groups_.empty()) return;
    SaveFileRequest request;
    request.Filter = QStringLiteral("PDF files (*.pdf)");
    request.FilterIndex = 1;
    request.InitialFolder = SaveFolder();
    const QString base = projectPath_.isEmpty() ? QStringLiteral("Series")
                                                : QFileInfo(projectPath_).completeBaseName();
    request.FileName = base + QStringLiteral("_Series.pdf");
    const std::optional<SaveFileAnswer> answer = dialogs_.saveFile(this, request);
    if (!answer) return;
    QString path = answer->FileName;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    // The report of every group, in the scale and with the yield method shown.
    SeriesReport report;
    report.Name = base.toStdString();
    report.Source = PathBytes(projectPath_);
    report.Evaluation = &evaluation_;
    report.Groups = &groups_;
    report.Yield = Yield();
    report.Scale = Scale();
    ReportLanguage language;
    language.Chinese = CurrentLanguage() == Language::Chinese;
    language.Translate = [](const std::string& designed) {
        return Translated(QString::fromStdString(designed)).toStdString();
    };
    const QByteArray pdf = SeriesReportPdf(report, PaperOfLocale(QLocale::system()), language);
    // Never over the project file or one of its records.
    std::vector<std::string> sources;
    for (const SeriesSpecimen& s : evaluation_.Specimens) sources.push_back(s.RecordPath);
    if (!projectPath_.isEmpty()) sources.push_back(PathBytes(projectPath_));
    WriteReportFile(PathBytes(path),
                    std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())), sources,
                    false);
}

}  // namespace qlnx
