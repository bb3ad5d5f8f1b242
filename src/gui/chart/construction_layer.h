// The construction of the chosen yield method drawn on the main chart: its lines, the
// ultimate line and the labelled points, on a layer of their own, with one legend entry
// whose check box shows or hides them all.
#pragma once

#include <QObject>
#include <vector>

#include "core/yield_constructions.h"

class QCPCurve;
class QCPItemText;
class QCPLayer;

namespace qlnx {

class ChartWidget;

class ConstructionLayer : public QObject {
    Q_OBJECT
public:
    explicit ConstructionLayer(ChartWidget* chart);
    ~ConstructionLayer() override;

    // Draws construction (replacing what was drawn); nullptr clears. Redraws the layer.
    void Show(const BranchConstruction* construction, const QString& title);
    void Clear() { Show(nullptr, QString()); }
    // Whether anything is drawn, and how many lines and marks (for tests).
    bool HasContent() const { return marks_ > 0; }
    int LineCount() const { return static_cast<int>(shownLines_); }
    QStringList MarkLabels() const;
    // How many points of the branch are shown faded, as left out of the outward path.
    int DroppedCount() const;
    QCPLayer* Layer() const { return layer_; }
    QCPCurve* LegendCurve() const { return legendCurve_; }
    // The shown labels (for tests).
    std::vector<QCPItemText*> Labels() const {
        return {labels_.begin(), labels_.begin() + static_cast<std::ptrdiff_t>(marks_)};
    }

private:
    void HideAll();
    QCPCurve* LineAt(size_t i);
    QCPItemText* LabelAt(size_t i);
    // Puts each label at the corner of its point where it covers no other label and no point
    // of the branch or of the construction, as the view is now.
    void PlaceLabels();

    ChartWidget* chart_;
    QCPLayer* layer_ = nullptr;
    // Carries the legend entry and the ultimate line.
    QCPCurve* legendCurve_ = nullptr;
    std::vector<QCPCurve*> lines_;
    size_t shownLines_ = 0;
    QCPCurve* points_ = nullptr;
    // The branch's points the outward path leaves out, covered by a faded marker.
    QCPCurve* dropped_ = nullptr;
    std::vector<QCPItemText*> labels_;
    size_t marks_ = 0;
    // What the labels keep clear of: the shown marks and the branch's points.
    std::vector<ConstructionMark> shownMarks_;
    std::vector<BranchPoint> nodes_;
};

}  // namespace qlnx
