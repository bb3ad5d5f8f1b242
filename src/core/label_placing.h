// Where the labels of marked points go on a chart: each at the corner of its point where it
// covers the least of the other points and of the labels already placed. Plain geometry in
// the drawing's units (pixels on the screen, points on a page), y growing downwards.
#pragma once

#include <vector>

namespace qlnx {

struct DrawnPoint {
    double X = 0, Y = 0;
};

struct LabelBox {
    double X = 0, Y = 0, Width = 0, Height = 0;
};

// A label to place: its point and the size of its text.
struct LabelToPlace {
    double X = 0, Y = 0;
    double Width = 0, Height = 0;
    // The side the label prefers: +1 right of the point (a point right of the origin), -1 left.
    double Outward = 1;
};

// The corner a label went to: Right (else left) and Below (else above) its point, and the box
// it takes.
struct PlacedLabel {
    bool Right = true;
    bool Below = false;
    LabelBox Box;
};

// Places the labels in order: each tries the four corners beside its point, away from the
// origin and above first, at gap from the point, and takes the first that covers nothing
// (else the one that covers least) of the points' markers (squares of half-width markerRoom
// around points and around each label's own point) and of the labels placed before it.
std::vector<PlacedLabel> PlaceLabels(const std::vector<LabelToPlace>& labels,
                                     const std::vector<DrawnPoint>& points, double gap,
                                     double markerRoom);

}  // namespace qlnx
