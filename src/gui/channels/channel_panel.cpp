#include "gui/channels/channel_panel.h"

#include <qcustomplot.h>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <charconv>

#include "core/line_cursor.h"
#include "core/number_text.h"
#include "core/units.h"
#include "gui/channels/channel_mapping.h"
#include "gui/channels/expression_completer.h"
#include "gui/channels/unit_titles.h"
#include "gui/language/language.h"
#include "gui/language/retranslation.h"

namespace qlnx {

namespace {

enum Column { kName, kUnit, kFirstValues, kZero, kFactor, kOffset, kColumns };
constexpr int kFirstValuesShown = 3;
const QColor kProblem(250, 214, 214);

QString Text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString ShortestText(double value) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    return QString::fromLatin1(buf, static_cast<int>(end - buf));
}

QTableWidgetItem* Cell(const QString& text, bool editable) {
    auto* item = new QTableWidgetItem(text);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable) flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    return item;
}

QComboBox* UnitBox(const char* name, std::span<const std::string_view> units, QWidget* owner) {
    // Editable: any unit the unit system reads may be typed; empty keeps the record's.
    auto* box = new QComboBox(owner);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->addItem(QString());
    for (const std::string_view unit : units) box->addItem(Text(unit));
    box->lineEdit()->setPlaceholderText(QStringLiteral("as recorded"));
    return box;
}

std::optional<double> NumberIn(const QString& text) {
    return ParseFloat(text.trimmed().toStdString(), '.');
}

}  // namespace

ChannelPanel::ChannelPanel(QWidget* owner) : QGroupBox(QStringLiteral("Channels"), owner) {
    setObjectName(QStringLiteral("grpChannels"));
    setCheckable(true);
    setChecked(false);

    tblChannels = new QTableWidget(0, kColumns, this);
    tblChannels->setObjectName(QStringLiteral("tblChannels"));
    tblChannels->setHorizontalHeaderLabels(
        {Translated(QStringLiteral("Name")), Translated(QStringLiteral("Unit")),
         Translated(QStringLiteral("First values")), Translated(QStringLiteral("Zero")),
         Translated(QStringLiteral("Factor")), Translated(QStringLiteral("Offset"))});
    tblChannels->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tblChannels->setMinimumHeight(150);

    const auto makeBox = [this](const char* name) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };
    const auto makeProblem = [this](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setWordWrap(true);
        label->setStyleSheet(QStringLiteral("color: #b00000"));
        return label;
    };
    edtDisplacement = makeBox("edtDisplacement");
    edtForce = makeBox("edtForce");
    lblDisplacementProblem = makeProblem("lblDisplacementProblem");
    lblForceProblem = makeProblem("lblForceProblem");
    lblChannelProblem = makeProblem("lblChannelProblem");
    displacementCompleter_ = new ExpressionCompleter(edtDisplacement, {});
    forceCompleter_ = new ExpressionCompleter(edtForce, {});
    cbbLengthUnit = UnitBox("cbbLengthUnit", LengthUnits(), this);
    cbbForceUnit = UnitBox("cbbForceUnit", ForceUnits(), this);
    edtDriftHeight = makeBox("edtDriftHeight");

    tblChannels->setToolTip(QStringLiteral(
        "The record's channels: the name an expression writes, the unit, the first values; "
        "zeroing subtracts the mean of the first samples, then value * factor + offset."));
    edtDisplacement->setToolTip(QStringLiteral(
        "The displacement as an expression over the channels' names (a difference of two "
        "transducers, a mean); empty: the displacement column."));
    edtForce->setToolTip(QStringLiteral(
        "The force as an expression over the channels' names (a sum of two load cells, a "
        "scaled signal); empty: the force column."));
    cbbLengthUnit->setToolTip(
        QStringLiteral("The length unit of the displacement; empty: as recorded."));
    cbbForceUnit->setToolTip(QStringLiteral("The unit of the force; empty: as recorded."));
    edtDriftHeight->setToolTip(QStringLiteral(
        "Shows the displacement as a drift in % of this height (in the displacement's unit)."));

    auto* units = new QHBoxLayout;
    units->addWidget(cbbLengthUnit);
    units->addWidget(cbbForceUnit);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Displacement"), edtDisplacement);
    form->addRow(QString(), lblDisplacementProblem);
    form->addRow(QStringLiteral("Force"), edtForce);
    form->addRow(QString(), lblForceProblem);
    form->addRow(QStringLiteral("Output units"), units);
    form->addRow(QStringLiteral("Drift height"), edtDriftHeight);

    pltPreview = new QCustomPlot(this);
    pltPreview->setObjectName(QStringLiteral("pltPreview"));
    pltPreview->setMinimumSize(280, 220);
    previewCurve_ = new QCPCurve(pltPreview->xAxis, pltPreview->yAxis);
    previewCurve_->setPen(QPen(QColor(0, 0, 200), 1));

    auto* left = new QVBoxLayout;
    left->addWidget(tblChannels, 1);
    left->addLayout(form);
    left->addWidget(lblChannelProblem);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addWidget(pltPreview, 2);

    connect(this, &QGroupBox::toggled, this, &ChannelPanel::Update);
    connect(tblChannels, &QTableWidget::itemChanged, this, [this] {
        if (!filling_) Update();
    });
    for (QLineEdit* box : {edtDisplacement, edtForce, edtDriftHeight})
        connect(box, &QLineEdit::textChanged, this, &ChannelPanel::Update);
    for (QComboBox* box : {cbbLengthUnit, cbbForceUnit})
        connect(box, &QComboBox::currentTextChanged, this, &ChannelPanel::Update);
}

void ChannelPanel::SetRecord(std::string head, const ImportParameters& lines,
                             std::optional<ChannelLayout> layout,
                             const std::optional<ChannelSettings>& mapping) {
    head_ = std::move(head);
    lines_ = lines;
    lines_.Channels = nullptr;
    layout_ = std::move(layout);
    filling_ = true;
    setEnabled(layout_.has_value());
    setChecked(layout_ && (mapping || !LayoutKey(*layout_).empty()));
    const ChannelSettings shown = mapping.value_or(ChannelSettings{});
    edtDisplacement->setText(Text(shown.Displacement));
    edtForce->setText(Text(shown.Force));
    edtDisplacement->setPlaceholderText(QStringLiteral("c%1").arg(lines_.DisplacementColumn));
    edtForce->setPlaceholderText(QStringLiteral("c%1").arg(lines_.ForceColumn));
    cbbLengthUnit->setCurrentText(Text(shown.LengthUnit));
    cbbForceUnit->setCurrentText(Text(shown.ForceUnit));
    edtDriftHeight->setText(shown.DriftHeight ? ShortestText(*shown.DriftHeight) : QString());
    FillTable(mapping);
    filling_ = false;
    Update();
}

void ChannelPanel::FillTable(const std::optional<ChannelSettings>& mapping) {
    tblChannels->setRowCount(0);
    QStringList names;
    if (!layout_) return;
    const auto& channels = layout_->Channels;
    tblChannels->setRowCount(static_cast<int>(channels.size()));
    // The first samples of each channel as the file writes them.
    std::vector<QStringList> first(channels.size());
    LineCursor cursor(head_);
    for (int64_t i = 1; i < layout_->DataLine && cursor.Valid(); ++i) cursor.Next();
    for (int k = 0; k < kFirstValuesShown && cursor.Valid(); ++k, cursor.Next()) {
        const std::vector<std::string> fields =
            SplitHeaderLine(cursor.Line(), layout_->Format, cursor.Line());
        for (size_t c = 0; c < channels.size() && c < fields.size(); ++c)
            first[c] << Text(fields[c]);
    }
    for (size_t c = 0; c < channels.size(); ++c) {
        const Channel& channel = channels[c];
        const auto row = static_cast<int>(c);
        std::string unit = channel.Unit;
        int zero = 0;
        double factor = 1;
        double offset = 0;
        if (mapping) {
            const auto named = [&channels, c](const std::string& reference) {
                return FindChannel(channels, reference) == static_cast<int>(c);
            };
            for (const auto& [name, u] : mapping->Units) {
                if (named(name)) unit = std::string(BareUnit(u));
            }
            for (const ChannelZero& z : mapping->Zero) {
                if (named(z.Channel)) zero = z.Samples;
            }
            for (const ChannelScale& s : mapping->Scale) {
                if (named(s.Channel)) {
                    factor = s.Factor;
                    offset = s.Offset;
                }
            }
        }
        auto* name = Cell(Text(channel.Symbol), false);
        name->setToolTip(QStringLiteral("c%1: %2").arg(channel.Column).arg(Text(channel.Name)));
        tblChannels->setItem(row, kName, name);
        tblChannels->setItem(row, kUnit, Cell(Text(unit), true));
        tblChannels->setItem(row, kFirstValues, Cell(first[c].join(QStringLiteral("; ")), false));
        tblChannels->setItem(row, kZero, Cell(zero > 0 ? QString::number(zero) : QString(), true));
        tblChannels->setItem(row, kFactor, Cell(ShortestText(factor), true));
        tblChannels->setItem(row, kOffset, Cell(ShortestText(offset), true));
        names << Text(channel.Symbol);
    }
    for (const Channel& channel : channels) names << QStringLiteral("c%1").arg(channel.Column);
    displacementCompleter_->SetNames(names);
    forceCompleter_->SetNames(names);
    tblChannels->resizeColumnsToContents();
}

std::vector<Channel> ChannelPanel::EditedChannels() const {
    std::vector<Channel> channels = layout_ ? layout_->Channels : std::vector<Channel>{};
    for (size_t c = 0; c < channels.size(); ++c) {
        if (const QTableWidgetItem* unit = tblChannels->item(static_cast<int>(c), kUnit))
            channels[c].Unit = std::string(BareUnit(unit->text().toStdString()));
    }
    return channels;
}

ChannelSettings ChannelPanel::ShownMapping() const {
    ChannelSettings m;
    m.Displacement = edtDisplacement->text().trimmed().toStdString();
    m.Force = edtForce->text().trimmed().toStdString();
    m.LengthUnit = cbbLengthUnit->currentText().trimmed().toStdString();
    m.ForceUnit = cbbForceUnit->currentText().trimmed().toStdString();
    if (const auto drift = NumberIn(edtDriftHeight->text())) m.DriftHeight = *drift;
    if (!layout_) return m;
    const std::vector<Channel> edited = EditedChannels();
    for (size_t c = 0; c < edited.size(); ++c) {
        const auto row = static_cast<int>(c);
        const std::string& name = edited[c].Symbol;
        if (edited[c].Unit != layout_->Channels[c].Unit) m.Units.emplace_back(name, edited[c].Unit);
        const QString zero = tblChannels->item(row, kZero)->text().trimmed();
        if (const int samples = zero.toInt(); samples > 0) m.Zero.push_back({name, samples});
        const auto factor = NumberIn(tblChannels->item(row, kFactor)->text());
        const auto offset = NumberIn(tblChannels->item(row, kOffset)->text());
        if (factor && offset && (*factor != 1 || *offset != 0))
            m.Scale.push_back({name, *factor, *offset});
    }
    return m;
}

std::optional<ChannelSettings> ChannelPanel::Mapping() const {
    if (!isChecked() || !layout_) return std::nullopt;
    return ShownMapping();
}

std::string ChannelPanel::ExpressionOf(const QLineEdit* box, int32_t column) const {
    const std::string text = box->text().trimmed().toStdString();
    return text.empty() ? "c" + std::to_string(column) : text;
}

bool ChannelPanel::ShowProblem(QLabel* label, const std::string& problem) {
    SetDesignedText(label, Text(problem));
    label->setVisible(!problem.empty());
    return !problem.empty();
}

void ChannelPanel::Update() {
    if (filling_) return;
    const bool active = isChecked() && layout_.has_value();
    bool problem = false;
    std::vector<Channel> channels = EditedChannels();

    // Each cell that cannot be read is marked; the first one's reason is told.
    std::string cellProblem;
    filling_ = true;
    for (size_t c = 0; c < channels.size(); ++c) {
        const auto row = static_cast<int>(c);
        const auto mark = [&](int column, bool bad, const std::string& reason) {
            tblChannels->item(row, column)->setBackground(bad ? QBrush(kProblem) : QBrush());
            if (bad && cellProblem.empty()) cellProblem = reason;
        };
        mark(kUnit, !channels[c].Unit.empty() && !ReadUnit(channels[c].Unit),
             "The unit '" + channels[c].Unit + "' of channel " + channels[c].Symbol +
                 " is not known.");
        const QString zero = tblChannels->item(row, kZero)->text().trimmed();
        bool zeroOk = true;
        mark(kZero, !zero.isEmpty() && (zero.toInt(&zeroOk) < 0 || !zeroOk),
             "Zeroing takes a number of samples (empty: none).");
        for (const int column : {kFactor, kOffset}) {
            mark(column, !NumberIn(tblChannels->item(row, column)->text()),
                 "'" + tblChannels->item(row, column)->text().toStdString() + "' is not a number.");
        }
    }
    filling_ = false;

    problem |= ShowProblem(
        lblDisplacementProblem,
        active
            ? DimensionProblem("displacement",
                               ExpressionOf(edtDisplacement, lines_.DisplacementColumn), channels)
            : std::string());
    problem |= ShowProblem(
        lblForceProblem,
        active ? DimensionProblem("force", ExpressionOf(edtForce, lines_.ForceColumn), channels)
               : std::string());
    std::string overall = active ? cellProblem : std::string();
    const QString drift = edtDriftHeight->text().trimmed();
    if (active && overall.empty() && !drift.isEmpty()) {
        const auto height = NumberIn(drift);
        if (!height || !(*height > 0)) overall = "The drift height must be a number above 0.";
    }

    // The first rows as the import will read them.
    std::vector<double> disp;
    std::vector<double> force;
    std::string dispUnit;
    std::string forceUnit;
    if (active && !problem && overall.empty()) {
        AnalysisState state;
        const ChannelSettings mapping = ShownMapping();
        const ImportResult result = ReadChannelText(state, head_, lines_, mapping);
        if (result.Failure == ImportFailure::Refused) {
            overall = result.Text;
        } else {
            // A row further down may still stop the import: the preview shows the rows before.
            disp = std::move(state.RawDisp);
            force = std::move(state.RawForce);
            dispUnit = state.Channels.DisplacementUnit;
            forceUnit = state.Channels.ForceUnit;
            if (const auto line = result.LineMessage()) overall = *line;
        }
    }
    const bool refused = problem || (!overall.empty() && disp.empty());
    ShowProblem(lblChannelProblem, overall);
    Plot(disp, force, dispUnit, forceUnit);
    acceptable_ = !active || !refused;
    emit Checked();
}

void ChannelPanel::Plot(const std::vector<double>& disp, const std::vector<double>& force,
                        const std::string& dispUnit, const std::string& forceUnit) {
    previewCurve_->setData(QVector<double>(disp.begin(), disp.end()),
                           QVector<double>(force.begin(), force.end()));
    pltPreview->xAxis->setLabel(DisplacementTitle(dispUnit, QStringLiteral("Displacement")));
    pltPreview->yAxis->setLabel(ForceTitle(forceUnit, QStringLiteral("Force")));
    if (CurrentLanguage() != Language::AsDesigned) RetranslateTree(pltPreview);
    pltPreview->rescaleAxes();
    pltPreview->replot();
}

}  // namespace qlnx
