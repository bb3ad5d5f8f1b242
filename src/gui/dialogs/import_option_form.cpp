#include "gui/dialogs/import_option_form.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>

#include "core/import_preview.h"
#include "core/line_cursor.h"
#include "gui/channels/channel_panel.h"
#include "gui/language/language.h"
#include "gui/language/retranslation.h"

namespace qlnx {

namespace {

constexpr int kMaxColumn = 999;
constexpr int kMaxShownFields = 50;
constexpr int kPreviewRows = 20;
// The rows the channel preview reads and plots.
constexpr int64_t kChannelPreviewRows = 2000;
const QColor kChosenColumn(214, 232, 250);

// The exact double as the import stores it: the shortest text that reads back to it.
QString ExactText(double value) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    return QString::fromLatin1(buf, static_cast<int>(end - buf));
}

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

ImportOptions LoadImportOptions(QSettings& settings) {
    ImportOptions options;
    settings.beginGroup(QStringLiteral("Import"));
    const auto mode = DecimalModeFromName(
        settings.value(QStringLiteral("Decimal"), QStringLiteral("auto")).toString().toStdString());
    const int disp = settings.value(QStringLiteral("DisplacementColumn"), 1).toInt();
    const int force = settings.value(QStringLiteral("ForceColumn"), 2).toInt();
    settings.endGroup();
    if (mode) options.Decimal = *mode;
    // Columns that the dialog could not have stored fall back to the defaults.
    if (disp >= 1 && force >= 1 && disp <= kMaxColumn && force <= kMaxColumn && disp != force) {
        options.DisplacementColumn = disp;
        options.ForceColumn = force;
    }
    return options;
}

void SaveImportOptions(QSettings& settings, const ImportOptions& options) {
    settings.beginGroup(QStringLiteral("Import"));
    settings.setValue(
        QStringLiteral("Decimal"),
        QString::fromLatin1(DecimalModeName(options.Decimal).data(),
                            static_cast<int>(DecimalModeName(options.Decimal).size())));
    settings.setValue(QStringLiteral("DisplacementColumn"), options.DisplacementColumn);
    settings.setValue(QStringLiteral("ForceColumn"), options.ForceColumn);
    settings.endGroup();
}

ImportParameters WithOptions(ImportParameters parameters, const ImportOptions& options) {
    parameters.Decimal = options.Decimal;
    parameters.DisplacementColumn = options.DisplacementColumn;
    parameters.ForceColumn = options.ForceColumn;
    parameters.Channels = options.Channels ? &*options.Channels : nullptr;
    return parameters;
}

TImportOptionForm::TImportOptionForm(const ImportOptions& options, std::string text,
                                     const ImportParameters& lines, QWidget* owner)
    : QDialog(owner), text_(std::move(text)), lines_(lines) {
    setObjectName(QStringLiteral("ImportOptionForm"));
    setWindowTitle(QStringLiteral("Import Options"));

    cbbDecimal = new QComboBox(this);
    cbbDecimal->setObjectName(QStringLiteral("cbbDecimal"));
    cbbDecimal->addItems({QStringLiteral("Auto (decided from the first line read)"),
                          QStringLiteral("Point (1.5)"), QStringLiteral("Comma (1,5)")});
    cbbDecimal->setCurrentIndex(static_cast<int>(options.Decimal));
    const auto makeColumn = [this](const char* name, int value) {
        auto* box = new QSpinBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(1, kMaxColumn);
        box->setValue(value);
        return box;
    };
    spnDisplacementColumn = makeColumn("spnDisplacementColumn", options.DisplacementColumn);
    spnForceColumn = makeColumn("spnForceColumn", options.ForceColumn);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Decimal separator"), cbbDecimal);
    form->addRow(QStringLiteral("Displacement column"), spnDisplacementColumn);
    form->addRow(QStringLiteral("Force column"), spnForceColumn);

    lblFormat = new QLabel(this);
    lblFormat->setObjectName(QStringLiteral("lblFormat"));
    lblFormat->setWordWrap(true);
    grdPreview = new QTableWidget(this);
    grdPreview->setObjectName(QStringLiteral("grdPreview"));
    grdPreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdPreview->setMinimumSize(560, 300);
    grdPreview->horizontalHeader()->setDefaultSectionSize(90);
    grdPreview->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    grpChannels = new ChannelPanel(this);

    auto* designed = new QVBoxLayout;
    designed->addLayout(form);
    designed->addWidget(lblFormat);
    designed->addWidget(grdPreview, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(designed, 1);
    columns->addWidget(grpChannels, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cbbDecimal, &QComboBox::currentIndexChanged, this, &TImportOptionForm::UpdatePreview);
    connect(spnDisplacementColumn, &QSpinBox::valueChanged, this,
            &TImportOptionForm::UpdatePreview);
    connect(spnForceColumn, &QSpinBox::valueChanged, this, &TImportOptionForm::UpdatePreview);
    connect(grpChannels, &ChannelPanel::Checked, this, &TImportOptionForm::UpdateOk);
    connect(cbbDecimal, &QComboBox::currentIndexChanged, this, &TImportOptionForm::ReadChannels);
    for (QSpinBox* box : {spnDisplacementColumn, spnForceColumn})
        connect(box, &QSpinBox::valueChanged, this, &TImportOptionForm::ReadChannels);
    ShowChannels(options.Channels);
    RetranslateTree(this);
    UpdatePreview();
}

void TImportOptionForm::ReadChannels() { ShowChannels(grpChannels->Mapping()); }

void TImportOptionForm::ShowChannels(const std::optional<ChannelSettings>& mapping) {
    const bool wasChecked = grpChannels->isChecked();
    ImportOptions options = Options();
    options.Channels.reset();
    const ImportParameters parameters = WithOptions(lines_, options);
    std::optional<ChannelLayout> layout;
    std::string head;
    if (!text_.empty() && lines_.Step > 0) {
        layout = DetectChannelLayout(text_, lines_.FirstLine, options.Decimal);
        if (layout) {
            // The lines up to the preview's last row.
            LineCursor cursor(text_);
            for (int64_t i = 1; i < layout->DataLine + kChannelPreviewRows * lines_.Step; ++i) {
                if (!cursor.Next()) break;
            }
            head = cursor.Valid() ? text_.substr(0, cursor.Begin()) : text_;
        }
    }
    grpChannels->SetRecord(std::move(head), parameters, std::move(layout), mapping);
    if (channelsShown_ && !mapping && grpChannels->isEnabled()) grpChannels->setChecked(wasChecked);
    channelsShown_ = true;
}

const std::optional<ChannelLayout>& TImportOptionForm::ChannelLayoutShown() const {
    return grpChannels->Layout();
}

void TImportOptionForm::UpdateOk() {
    const ImportOptions options = Options();
    btnOK->setEnabled(options.DisplacementColumn != options.ForceColumn &&
                      grpChannels->Acceptable());
}

ImportOptions TImportOptionForm::Options() const {
    ImportOptions options;
    options.Decimal = static_cast<DecimalMode>(cbbDecimal->currentIndex());
    options.DisplacementColumn = spnDisplacementColumn->value();
    options.ForceColumn = spnForceColumn->value();
    if (grpChannels) options.Channels = grpChannels->Mapping();
    return options;
}

void TImportOptionForm::UpdatePreview() {
    const ImportOptions options = Options();
    const bool sameColumn = options.DisplacementColumn == options.ForceColumn;
    UpdateOk();
    grdPreview->clear();
    grdPreview->setRowCount(0);
    grdPreview->setColumnCount(0);
    if (sameColumn) {
        SetDesignedText(lblFormat,
                        QStringLiteral("The displacement and force columns must differ."));
        return;
    }
    if (text_.empty()) {
        SetDesignedText(
            lblFormat, QStringLiteral("Import a record to see here how its first lines are read."));
        return;
    }
    const ImportPreview preview = PreviewImport(text_, WithOptions(lines_, options), kPreviewRows);
    if (!preview.Format) {
        SetDesignedText(lblFormat, QString::fromStdString(preview.Problem.value_or(std::string())));
        return;
    }
    SetDesignedText(lblFormat,
                    QStringLiteral("Read from line %1: %2.")
                        .arg(lines_.FirstLine)
                        .arg(QString::fromStdString(DescribeRowFormat(*preview.Format))));

    int64_t fields = 0;
    for (const PreviewRow& row : preview.Rows)
        fields = std::max<int64_t>(fields, static_cast<int64_t>(row.Fields.size()));
    const int shown = static_cast<int>(std::min<int64_t>(fields, kMaxShownFields));
    const int dispColumn = options.DisplacementColumn - 1;
    const int forceColumn = options.ForceColumn - 1;
    grdPreview->setColumnCount(shown + 2);
    grdPreview->setRowCount(static_cast<int>(preview.Rows.size()));
    QStringList headers;
    for (int c = 0; c < shown; ++c) {
        QString header = QString::number(c + 1);
        if (c == dispColumn) header += QStringLiteral(" Displacement");
        if (c == forceColumn) header += QStringLiteral(" Force");
        headers << header;
    }
    headers << QStringLiteral("Displacement read") << QStringLiteral("Force read");
    for (QString& header : headers) header = Translated(header);
    grdPreview->setHorizontalHeaderLabels(headers);

    const int64_t reference = preview.Rows.empty() ? 0 : preview.Rows.front().Reading.Fields;
    for (int r = 0; r < static_cast<int>(preview.Rows.size()); ++r) {
        const PreviewRow& row = preview.Rows[static_cast<size_t>(r)];
        grdPreview->setVerticalHeaderItem(r, new QTableWidgetItem(QString::number(row.Line)));
        for (int c = 0; c < shown && c < static_cast<int>(row.Fields.size()); ++c) {
            QTableWidgetItem* item =
                Cell(QString::fromStdString(row.Fields[static_cast<size_t>(c)]));
            if (c == dispColumn || c == forceColumn) item->setBackground(kChosenColumn);
            grdPreview->setItem(r, c, item);
        }
        // The values as the import will store them, or why the row stops the import.
        ImportResult problem;
        problem.Line = row.Line;
        problem.Failure = row.Reading.Failure;
        problem.Position = row.Reading.Position;
        problem.Field = row.Reading.Field;
        if (problem.Failure == ImportFailure::None && row.Reading.Fields != reference) {
            problem.Failure = ImportFailure::RaggedRow;
            problem.Position = row.Reading.Fields;
            problem.ReferenceLine = preview.Rows.front().Line;
            problem.ReferenceFields = reference;
        }
        if (problem.Failure == ImportFailure::None) {
            grdPreview->setItem(r, shown, Cell(ExactText(row.Reading.Displacement)));
            grdPreview->setItem(r, shown + 1, Cell(ExactText(row.Reading.Force)));
        } else {
            grdPreview->setItem(r, shown,
                                Cell(Translated(QString::fromStdString(
                                    problem.LineMessage().value_or(std::string())))));
            grdPreview->setSpan(r, shown, 1, 2);
        }
    }
    grdPreview->resizeColumnsToContents();
}

}  // namespace qlnx
