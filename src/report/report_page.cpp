#include "report/report_page.h"

#include <qcustomplot.h>

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QStringList>
#include <QTextOption>

namespace qlnx {

ReportPages::ReportPages(ReportPaper paper, const ReportLanguage& language,
                         const QString& footerName, const QString& title)
    : language_(language), footerName_(footerName), buffer_(&bytes_) {
    buffer_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&buffer_);
    // One unit a point: the page is laid out in the units a printed page is measured in.
    writer_->setResolution(72);
    const QPageSize size(paper == ReportPaper::Letter ? QPageSize::Letter : QPageSize::A4);
    writer_->setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF()));
    writer_->setCreator(QStringLiteral("QLNX"));
    writer_->setTitle(title);
    const QSizeF points = size.size(QPageSize::Point);
    width_ = points.width();
    bottom_ = points.height() - kMargin - kFooter;
    y_ = kMargin;
    painter_ = std::make_unique<QCPPainter>();
    painter_->begin(writer_.get());
    painter_->setMode(QCPPainter::pmVectorized);
    painter_->setMode(QCPPainter::pmNoCaching);
}

ReportPages::~ReportPages() {
    if (painter_->isActive()) painter_->end();
}

QString ReportPages::Text(const char* designed) const { return Text(std::string(designed)); }

QString ReportPages::Text(const std::string& designed) const {
    return QString::fromStdString(language_.Translate ? language_.Translate(designed) : designed);
}

QFont ReportPages::Font(double points, bool bold) const {
    QFont font;
    // The Latin font first; the CJK font for the characters it lacks (and first for Chinese).
    QStringList families{QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")};
    if (language_.Chinese) families.swapItemsAt(0, 1);
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    // No ligatures: "fi" stays two letters, so the text copied from the file (or searched)
    // is the text written.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

void ReportPages::Reserve(double height) {
    if (height > Room() && y_ > kMargin) NewPage();
}

void ReportPages::NewPage() {
    Footer();
    writer_->newPage();
    ++page_;
    y_ = kMargin;
}

void ReportPages::Footer() {
    QPainter& p = *painter_;
    p.save();
    p.setPen(QPen(QColor(120, 120, 120), 0.5));
    const double y = bottom_ + kFooter - 12;
    p.drawLine(QPointF(kMargin, y), QPointF(width_ - kMargin, y));
    p.setFont(Font(7.5));
    p.setPen(Qt::black);
    const QRectF line(kMargin, y + 2, Width(), 12);
    p.drawText(line, Qt::AlignLeft | Qt::AlignTop, footerName_);
    p.drawText(line, Qt::AlignRight | Qt::AlignTop, Text("Page %1").arg(page_));
    p.restore();
}

void ReportPages::Heading(const QString& text, double points) {
    const QFont font = Font(points, true);
    const double height = QFontMetricsF(font, writer_.get()).height() * 1.4;
    // A heading never stands alone at the foot of a page.
    Reserve(height + 60);
    painter_->setFont(font);
    painter_->setPen(Qt::black);
    painter_->drawText(QRectF(Left(), y_, Width(), height), Qt::AlignLeft | Qt::AlignVCenter, text);
    y_ += height;
}

void ReportPages::Paragraph(const QString& text, double points) {
    const QFont font = Font(points);
    painter_->setFont(font);
    const QRectF bounds = painter_->boundingRect(QRectF(Left(), 0, Width(), 10000),
                                                 Qt::AlignLeft | Qt::TextWordWrap, text);
    Reserve(bounds.height());
    painter_->setPen(Qt::black);
    painter_->drawText(QRectF(Left(), y_, Width(), bounds.height() + 1),
                       Qt::AlignLeft | Qt::TextWordWrap, text);
    y_ += bounds.height() + points * 0.5;
}

void DrawTitleBlock(ReportPages& pages, const std::vector<std::pair<QString, QString>>& rows) {
    QCPPainter& painter = pages.Painter();
    const QFont label = pages.Font(8, true);
    const QFont value = pages.Font(8);
    double labelWidth = 0;
    const QFontMetricsF labels(label, painter.device());
    for (const auto& row : rows)
        labelWidth = std::max(labelWidth, labels.horizontalAdvance(row.first));
    labelWidth += 10;
    for (const auto& [name, text] : rows) {
        painter.setFont(value);
        const QRectF room(pages.Left() + labelWidth, 0, pages.Width() - labelWidth, 10000);
        const double height =
            std::max(painter.boundingRect(room, Qt::TextWrapAnywhere, text).height(),
                     labels.height()) +
            2;
        pages.Reserve(height);
        painter.setPen(Qt::black);
        painter.setFont(label);
        painter.drawText(QRectF(pages.Left(), pages.Y(), labelWidth, height), Qt::AlignLeft, name);
        painter.setFont(value);
        painter.drawText(QRectF(pages.Left() + labelWidth, pages.Y(), room.width(), height),
                         Qt::AlignLeft | Qt::TextWrapAnywhere, text);
        pages.Advance(height);
    }
    pages.Advance(8);
}

QByteArray ReportPages::Finish() {
    Footer();
    painter_->end();
    buffer_.close();
    return bytes_;
}

}  // namespace qlnx
