#include "app/ui/placement/NSViewPlacement.h"

#include "platform/ns/appkit/View.h"

#include <functional>

namespace
{

using PlacementOperation = std::function<bool(ns::View&, int spacing)>;

// Runs a placement that moves things and answers nothing.
template <class F> PlacementOperation always(F operation)
{
    return [operation](ns::View& view, int spacing) {
        operation(view, spacing);
        return true;
    };
}

struct PlacementMode {
    const char* name;
    PlacementOperation run;
};

// Searched in order with exact comparison; the comment is each mode's code.
const PlacementMode kSubviewModes[] = {
    {"RebuilSubviewsByX", [](ns::View& v, int) { return rebuildSubViewsByMode(v, 0); }},                  // 0
    {"RebuilSubviewsByY", [](ns::View& v, int) { return rebuildSubViewsByMode(v, 1); }},                  // 1
    {"PlacementRefLeft", always([](ns::View& v, int s) { placementRefLeftViewSpacingPixel(v, s, -1); })}, // 2
    {"PlacementRefRight",
     always([](ns::View& v, int s) { placementRefRightViewSpacingPixel(v, s, -1); })},                  // 3
    {"PlacementRefTop", always([](ns::View& v, int s) { placementRefTopViewSpacingPixel(v, s, -1); })}, // 4
    {"PlacementRefBottom",
     always([](ns::View& v, int s) { placementRefBottomViewSpacingPixel(v, s, -1); })},              // 5
    {"PlacementToViewLeft", always(placementToViewLeftSpacingPixel)},                                // 6
    {"PlacementToViewRight", always(placementToViewRightSpacingPixel)},                              // 7
    {"PlacementToViewTop", always(placementToViewTopSpacingPixel)},                                  // 8
    {"PlacementToViewBottom", always(placementToViewBottomSpacingPixel)},                            // 9
    {"PlacementCenterX", placementToViewCenterX},                                                    // 10
    {"PlacementCenterY", placementToViewCenterY},                                                    // 11
    {"PlacementCenterYRefTop", always([](ns::View& v, int) { placementToViewCenterYRefTop(v); })},   // 12
    {"PlacementCenterXRefLeft", always([](ns::View& v, int) { placementToViewCenterXRefLeft(v); })}, // 13
};

const PlacementMode kSuperviewModes[] = {
    {"InSuperViewCenterX", [](ns::View& v, int) { return placementInSuperViewCenterX(v); }}, // 14
    {"InSuperViewCenterY", [](ns::View& v, int) { return placementInSuperViewCenterY(v); }}, // 15
    {"InSuperViewLeft", placementInSuperViewLeft},                                           // 16
    {"InSuperViewTop", placementInSuperViewTop},                                             // 17
    {"InSuperViewRight", placementInSuperViewRight},                                         // 18
    {"InSuperViewBottom", placementInSuperViewBottom},                                       // 19
};

void setX(ns::View* view, double x)
{
    view->setFrameOrigin({x, view->frame().origin.y});
}

void setY(ns::View* view, double y)
{
    view->setFrameOrigin({view->frame().origin.x, y});
}

double x(const ns::View* view)
{
    return view->frame().origin.x;
}

double y(const ns::View* view)
{
    return view->frame().origin.y;
}

double w(const ns::View* view)
{
    return view->frame().size.width;
}

double h(const ns::View* view)
{
    return view->frame().size.height;
}

// The sum of one dimension of the subviews with the spacing between each two.
double rowLength(const QList<ns::View*>& views, double (*dimension)(const ns::View*), int spacing)
{
    double total = double(views.size() - 1) * spacing;
    for (const ns::View* view : views)
        total += dimension(view);
    return total;
}

// The superview's extent on one axis (w or h); false without a superview or
// when the view is larger than it on that axis.
bool superviewExtent(const ns::View& view, double (*axis)(const ns::View*), double* size)
{
    const ns::View* superview = view.superview();
    if (!superview || axis(superview) < axis(&view))
        return false;
    *size = axis(superview);
    return true;
}

} // namespace

bool placementSubViewsSpacingPixel(ns::View& view, int spacing, const QString& mode)
{
    if (view.subviews().isEmpty())
        return false;
    for (const PlacementMode& entry : kSubviewModes)
        if (mode == QLatin1String(entry.name))
            return entry.run(view, spacing);
    return false;
}

bool placementInSuperViewSpacingPixel(ns::View& view, int spacing, const QString& mode)
{
    if (!view.superview())
        return false;
    for (const PlacementMode& entry : kSuperviewModes)
        if (mode == QLatin1String(entry.name))
            return entry.run(view, spacing);
    return false;
}

// ---- ordering ----

QList<ns::View*> rearrangeOrder(const QList<ns::View*>& views, int mode)
{
    auto key = [mode](const ns::View* view) { return mode == 1 ? y(view) - h(view) : x(view); };
    QList<ns::View*> remaining = views;
    QList<ns::View*> ordered;
    while (!remaining.isEmpty()) {
        qsizetype smallest = 0;
        for (qsizetype i = 1; i < remaining.size(); ++i)
            if (key(remaining.at(i)) < key(remaining.at(smallest)))
                smallest = i;
        ordered.append(remaining.takeAt(smallest));
    }
    return ordered;
}

bool rebuildSubViewsByMode(ns::View& view, int mode)
{
    const QList<ns::View*> subviews = view.subviews();
    if (subviews.isEmpty())
        return false;
    const QList<ns::View*> ordered = rearrangeOrder(subviews, mode);
    for (ns::View* subview : subviews)
        subview->removeFromSuperview();
    for (ns::View* subview : ordered)
        view.addSubview(subview);
    return true;
}

// ---- chains ----

void placementRefLeftViewSpacingPixel(ns::View& view, int spacing, int leftPosAt)
{
    const QList<ns::View*>& views = view.subviews();
    if (views.isEmpty())
        return;
    if (leftPosAt != -1)
        setX(views.first(), leftPosAt);
    for (qsizetype i = 1; i < views.size(); ++i)
        setX(views.at(i), x(views.at(i - 1)) + w(views.at(i - 1)) + spacing);
}

void placementRefRightViewSpacingPixel(ns::View& view, int spacing, int rightPosAt)
{
    const QList<ns::View*>& views = view.subviews();
    if (views.isEmpty())
        return;
    if (rightPosAt != -1)
        setX(views.last(), rightPosAt - w(views.last()));
    for (qsizetype i = views.size() - 2; i >= 0; --i)
        setX(views.at(i), x(views.at(i + 1)) - spacing - w(views.at(i)));
}

// Upwards from the first subview: each sits the spacing above the top of the one before.
void placementRefTopViewSpacingPixel(ns::View& view, int spacing, int topPosAt)
{
    const QList<ns::View*>& views = view.subviews();
    if (views.isEmpty())
        return;
    if (topPosAt != -1)
        setY(views.first(), topPosAt);
    for (qsizetype i = 1; i < views.size(); ++i)
        setY(views.at(i), y(views.at(i - 1)) + h(views.at(i - 1)) + spacing);
}

// Downwards from the last subview: each has its top the spacing below the one after.
void placementRefBottomViewSpacingPixel(ns::View& view, int spacing, int bottomPosAt)
{
    const QList<ns::View*>& views = view.subviews();
    if (views.isEmpty())
        return;
    if (bottomPosAt != -1)
        setY(views.last(), bottomPosAt);
    for (qsizetype i = views.size() - 2; i >= 0; --i)
        setY(views.at(i), y(views.at(i + 1)) - spacing - h(views.at(i)));
}

// ---- edges of the view ----

void placementToViewLeftSpacingPixel(ns::View& view, int spacing)
{
    for (ns::View* subview : view.subviews())
        setX(subview, spacing);
}

void placementToViewRightSpacingPixel(ns::View& view, int spacing)
{
    const double width = w(&view);
    for (ns::View* subview : view.subviews())
        setX(subview, width - spacing - w(subview));
}

void placementToViewTopSpacingPixel(ns::View& view, int spacing)
{
    const double height = h(&view);
    for (ns::View* subview : view.subviews())
        setY(subview, height - spacing - h(subview));
}

void placementToViewBottomSpacingPixel(ns::View& view, int spacing)
{
    for (ns::View* subview : view.subviews())
        setY(subview, spacing);
}

// ---- centring ----

bool placementToViewCenterX(ns::View& view, int spacing)
{
    const QList<ns::View*>& views = view.subviews();
    if (views.isEmpty())
        return false;
    const double total = rowLength(views, w, spacing);
    if (w(&view) <= total)
        return false;
    placementRefLeftViewSpacingPixel(view, spacing, int((w(&view) - total) * 0.5));
    return true;
}

bool placementToViewCenterY(ns::View& view, int spacing)
{
    const QList<ns::View*>& views = view.subviews();
    if (views.isEmpty())
        return false;
    const double total = rowLength(views, h, spacing);
    if (h(&view) <= total)
        return false;
    placementRefTopViewSpacingPixel(view, spacing, int((h(&view) - total) * 0.5));
    return true;
}

void placementToViewCenterYRefTop(ns::View& view)
{
    const QList<ns::View*>& views = view.subviews();
    if (views.isEmpty())
        return;
    const double centred = (view.bounds().height() - h(views.first())) * 0.5;
    for (ns::View* subview : views)
        setY(subview, centred);
}

void placementToViewCenterXRefLeft(ns::View& view)
{
    const QList<ns::View*>& views = view.subviews();
    if (views.isEmpty())
        return;
    const double centred = (view.bounds().width() - w(views.first())) * 0.5;
    for (ns::View* subview : views)
        setX(subview, centred);
}

// ---- in the superview ----

bool placementInSuperViewCenterX(ns::View& view)
{
    double width = 0;
    if (!superviewExtent(view, w, &width))
        return false;
    setX(&view, (width - w(&view)) * 0.5);
    return true;
}

bool placementInSuperViewCenterY(ns::View& view)
{
    double height = 0;
    if (!superviewExtent(view, h, &height))
        return false;
    setY(&view, (height - h(&view)) * 0.5);
    return true;
}

bool placementInSuperViewLeft(ns::View& view, int spacing)
{
    double width = 0;
    if (!superviewExtent(view, w, &width))
        return false;
    setX(&view, spacing + w(&view) < width ? spacing : 0);
    return true;
}

bool placementInSuperViewTop(ns::View& view, int spacing)
{
    double height = 0;
    if (!superviewExtent(view, h, &height))
        return false;
    setY(&view, height > spacing + h(&view) ? height - h(&view) - spacing : height - h(&view));
    return true;
}

bool placementInSuperViewRight(ns::View& view, int spacing)
{
    double width = 0;
    if (!superviewExtent(view, w, &width))
        return false;
    setX(&view, width > spacing + w(&view) ? width - w(&view) - spacing : width - w(&view));
    return true;
}

bool placementInSuperViewBottom(ns::View& view, int spacing)
{
    double height = 0;
    if (!superviewExtent(view, h, &height))
        return false;
    setY(&view, spacing + h(&view) < height ? spacing : 0);
    return true;
}
