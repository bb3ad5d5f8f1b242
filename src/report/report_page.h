// The pages of a report as they are filled: a PDF writer and its painter, the place where the
// next block goes, the footer of each page, and a new page when a block no longer fits.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QPdfWriter>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

#include "report/report_input.h"

class QCPPainter;

namespace qlnx {

class ReportPages {
public:
    // Starts the first page of a portrait document in points (72 to the inch).
    ReportPages(ReportPaper paper, const ReportLanguage& language, const QString& footerName,
                const QString& title);
    ~ReportPages();
    ReportPages(const ReportPages&) = delete;
    ReportPages& operator=(const ReportPages&) = delete;

    QCPPainter& Painter() { return *painter_; }
    // The text in the report's language.
    QString Text(const char* designed) const;
    QString Text(const std::string& designed) const;

    // The writable area of a page, left to right, and where the next block goes.
    double Left() const { return kMargin; }
    double Width() const { return width_ - 2 * kMargin; }
    double Y() const { return y_; }
    void Advance(double height) { y_ += height; }
    // Room left above the footer.
    double Room() const { return bottom_ - y_; }
    // Starts a new page unless height fits on this one (a block taller than a page starts a
    // new page only when this one is not empty).
    void Reserve(double height);
    void NewPage();

    // The report's fonts at a size in points.
    QFont Font(double points, bool bold = false) const;
    // A heading, a paragraph that wraps, and a line of label and value.
    void Heading(const QString& text, double points = 13);
    void Paragraph(const QString& text, double points = 8);

    // Ends the document: the bytes of the PDF file.
    QByteArray Finish();

private:
    void Footer();

    static constexpr double kMargin = 42;
    static constexpr double kFooter = 28;
    const ReportLanguage& language_;
    QString footerName_;
    QByteArray bytes_;
    QBuffer buffer_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QCPPainter> painter_;
    double width_ = 0;
    double bottom_ = 0;
    double y_ = 0;
    int page_ = 1;
};

// Label and value rows, the values wrapping beside their labels.
void DrawTitleBlock(ReportPages& pages, const std::vector<std::pair<QString, QString>>& rows);

// A chart as wide as the page under its heading: draw(area) draws it.
template <typename Draw>
void Chart(ReportPages& pages, const QString& title, double height, Draw draw) {
    pages.Reserve(height + 30);
    pages.Heading(title, 11);
    draw(QRectF(pages.Left(), pages.Y(), pages.Width(), height));
    pages.Advance(height + 10);
}

}  // namespace qlnx
