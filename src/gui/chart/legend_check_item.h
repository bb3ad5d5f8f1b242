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
    // Whether the entries draw their check boxes (off while the chart is saved as an image;
    // the space stays, the icon and text move into it).
    static void SetDrawCheckBoxes(bool draw);

protected:
    void draw(QCPPainter* painter) override;
    QSize minimumOuterSizeHint() const override;

private:
    int boxSize() const;
};

}  // namespace qlnx
