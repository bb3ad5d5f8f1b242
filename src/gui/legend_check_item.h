// A legend entry with a check box showing whether its series is shown, and its title in the
// series' colour.
#pragma once

#include <qcustomplot.h>

namespace qlnx {

class LegendCheckItem : public QCPPlottableLegendItem {
    Q_OBJECT
public:
    LegendCheckItem(QCPLegend* parent, QCPAbstractPlottable* plottable);

    // The check box's rectangle in widget pixels (valid after a layout).
    QRect checkBoxRect() const;

protected:
    void draw(QCPPainter* painter) override;
    QSize minimumOuterSizeHint() const override;

private:
    int boxSize() const;
};

}  // namespace qlnx
