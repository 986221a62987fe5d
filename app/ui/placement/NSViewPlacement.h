#pragma once

#include <QList>
#include <QString>

namespace ns
{
class View;
}

// Placement of views, run after a skin has moved and resized them: a view's
// subviews laid out in a row or a column with a spacing, centred in the view,
// or the view itself placed in its superview. Skin items name the layouts as
// mode strings (their "PlacementSubviewMethod" and
// "PlacementInSuperviewMethod"); the two entry operations map a mode string
// to its operation. Frames are Cocoa's: origin at the bottom left, y up.
// Subviews are taken in their current order (back to front).

// Subview modes: "RebuilSubviewsByX", "RebuilSubviewsByY", "PlacementRefLeft",
// "PlacementRefRight", "PlacementRefTop", "PlacementRefBottom",
// "PlacementToViewLeft", "PlacementToViewRight", "PlacementToViewTop",
// "PlacementToViewBottom", "PlacementCenterX", "PlacementCenterY",
// "PlacementCenterYRefTop", "PlacementCenterXRefLeft". False for a view
// without subviews and for an unknown mode; the two centring modes give the
// result of their operation, every other mode true.
bool placementSubViewsSpacingPixel(ns::View& view, int spacing, const QString& mode);
// Superview modes: "InSuperViewCenterX", "InSuperViewCenterY",
// "InSuperViewLeft", "InSuperViewTop", "InSuperViewRight",
// "InSuperViewBottom". False for a view without a superview and for an
// unknown mode; otherwise the result of the operation.
bool placementInSuperViewSpacingPixel(ns::View& view, int spacing, const QString& mode);

// Ordering. Mode 0 sorts by x, mode 1 by y minus height, ascending; views
// with equal keys keep their order.
QList<ns::View*> rearrangeOrder(const QList<ns::View*>& views, int mode);
// Puts the subviews back in that order; false when there are none.
bool rebuildSubViewsByMode(ns::View& view, int mode);

// Chains: each subview placed from its neighbour with the spacing between
// them. A position of -1 leaves the anchoring subview where it is; otherwise
// it moves first: the first subview's left edge (left chain) or bottom edge
// (top chain) to the position, the last subview's right edge (right chain)
// or bottom edge (bottom chain) to it. Left and top chains run from the
// first subview to the right and upwards; right and bottom chains from the
// last subview to the left and downwards.
void placementRefLeftViewSpacingPixel(ns::View& view, int spacing, int leftPosAt);
void placementRefRightViewSpacingPixel(ns::View& view, int spacing, int rightPosAt);
void placementRefTopViewSpacingPixel(ns::View& view, int spacing, int topPosAt);
void placementRefBottomViewSpacingPixel(ns::View& view, int spacing, int bottomPosAt);

// Every subview at the spacing from one edge of the view.
void placementToViewLeftSpacingPixel(ns::View& view, int spacing);
void placementToViewRightSpacingPixel(ns::View& view, int spacing);
void placementToViewTopSpacingPixel(ns::View& view, int spacing);
void placementToViewBottomSpacingPixel(ns::View& view, int spacing);

// The subviews as one row (column) with the spacing, centred in the view;
// false, and nothing moves, when the row (column) does not fit.
bool placementToViewCenterX(ns::View& view, int spacing);
bool placementToViewCenterY(ns::View& view, int spacing);
// Every subview at the height (left edge) that centres the first subview.
void placementToViewCenterYRefTop(ns::View& view);
void placementToViewCenterXRefLeft(ns::View& view);

// The view in its superview; each is false, and nothing moves, when the
// superview is smaller than the view on that axis. A spacing that would push
// the view past the far edge puts it against the near edge instead.
bool placementInSuperViewCenterX(ns::View& view);
bool placementInSuperViewCenterY(ns::View& view);
bool placementInSuperViewLeft(ns::View& view, int spacing);
bool placementInSuperViewTop(ns::View& view, int spacing);
bool placementInSuperViewRight(ns::View& view, int spacing);
bool placementInSuperViewBottom(ns::View& view, int spacing);
