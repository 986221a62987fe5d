#include "app/ui/placement/NSViewPlacement.h"
#include "platform/ns/appkit/View.h"

#include <gtest/gtest.h>

#include <vector>

using ns::Rect;

namespace
{

enum class Placed {
    Subviews,    // the mode lays out the subviews of a view of the container's frame
    InSuperview, // the mode places the one view in a superview of the container's frame
    Detached,    // the one view has no superview
};

struct Case {
    const char* what;
    Placed kind;
    const char* mode;
    int spacing;
    Rect container;
    std::vector<Rect> views; // the subviews, or the one view
    bool result;
    std::vector<Rect> expected; // frames afterwards, in the subview order afterwards
};

std::vector<Rect> framesOf(const QList<ns::View*>& views)
{
    std::vector<Rect> frames;
    for (const ns::View* view : views)
        frames.push_back(view->frame());
    return frames;
}

} // namespace

TEST(NSViewPlacement, EveryModePlacesAsItsNameSays)
{
    const Rect box(0, 0, 100, 50);
    const Case cases[] = {
        // Ordering.
        {"by x, equal keys keep their order",
         Placed::Subviews,
         "RebuilSubviewsByX",
         0,
         box,
         {Rect(50, 0, 10, 10), Rect(10, 0, 20, 10), Rect(10, 5, 30, 10)},
         true,
         {Rect(10, 0, 20, 10), Rect(10, 5, 30, 10), Rect(50, 0, 10, 10)}},
        {"by y minus height",
         Placed::Subviews,
         "RebuilSubviewsByY",
         0,
         box,
         {Rect(0, 30, 10, 10), Rect(0, 10, 10, 5), Rect(0, 20, 10, 15)},
         true,
         {Rect(0, 10, 10, 5), Rect(0, 20, 10, 15), Rect(0, 30, 10, 10)}},
        // Chains from the subview that stays.
        {"left chain",
         Placed::Subviews,
         "PlacementRefLeft",
         5,
         box,
         {Rect(7, 1, 10, 10), Rect(0, 2, 20, 10), Rect(0, 3, 30, 10)},
         true,
         {Rect(7, 1, 10, 10), Rect(22, 2, 20, 10), Rect(47, 3, 30, 10)}},
        {"right chain",
         Placed::Subviews,
         "PlacementRefRight",
         5,
         box,
         {Rect(0, 1, 10, 10), Rect(0, 2, 20, 10), Rect(60, 3, 30, 10)},
         true,
         {Rect(20, 1, 10, 10), Rect(35, 2, 20, 10), Rect(60, 3, 30, 10)}},
        {"top chain of unequal heights",
         Placed::Subviews,
         "PlacementRefTop",
         4,
         box,
         {Rect(1, 3, 10, 10), Rect(2, 0, 10, 20), Rect(3, 0, 10, 5)},
         true,
         {Rect(1, 3, 10, 10), Rect(2, 17, 10, 20), Rect(3, 41, 10, 5)}},
        {"bottom chain of unequal heights",
         Placed::Subviews,
         "PlacementRefBottom",
         4,
         box,
         {Rect(1, 0, 10, 10), Rect(2, 0, 10, 20), Rect(3, 40, 10, 5)},
         true,
         {Rect(1, 2, 10, 10), Rect(2, 16, 10, 20), Rect(3, 40, 10, 5)}},
        // Edges of the view.
        {"to the left edge",
         Placed::Subviews,
         "PlacementToViewLeft",
         6,
         box,
         {Rect(30, 1, 10, 10), Rect(50, 2, 20, 10)},
         true,
         {Rect(6, 1, 10, 10), Rect(6, 2, 20, 10)}},
        {"to the right edge",
         Placed::Subviews,
         "PlacementToViewRight",
         6,
         box,
         {Rect(30, 1, 10, 10), Rect(50, 2, 20, 10)},
         true,
         {Rect(84, 1, 10, 10), Rect(74, 2, 20, 10)}},
        {"to the top edge",
         Placed::Subviews,
         "PlacementToViewTop",
         6,
         box,
         {Rect(1, 0, 10, 10), Rect(2, 0, 10, 20)},
         true,
         {Rect(1, 34, 10, 10), Rect(2, 24, 10, 20)}},
        {"to the bottom edge",
         Placed::Subviews,
         "PlacementToViewBottom",
         6,
         box,
         {Rect(1, 30, 10, 10), Rect(2, 20, 10, 20)},
         true,
         {Rect(1, 6, 10, 10), Rect(2, 6, 10, 20)}},
        // Centring.
        {"centred row",
         Placed::Subviews,
         "PlacementCenterX",
         5,
         box,
         {Rect(0, 1, 10, 10), Rect(0, 2, 20, 10), Rect(0, 3, 30, 10)},
         true,
         {Rect(15, 1, 10, 10), Rect(30, 2, 20, 10), Rect(55, 3, 30, 10)}},
        {"centred row, position truncated",
         Placed::Subviews,
         "PlacementCenterX",
         5,
         box,
         {Rect(0, 1, 10, 10), Rect(0, 2, 20, 10), Rect(0, 3, 25, 10)},
         true,
         {Rect(17, 1, 10, 10), Rect(32, 2, 20, 10), Rect(57, 3, 25, 10)}},
        {"row wider than the view",
         Placed::Subviews,
         "PlacementCenterX",
         5,
         box,
         {Rect(0, 1, 40, 10), Rect(0, 2, 50, 10), Rect(0, 3, 30, 10)},
         false,
         {Rect(0, 1, 40, 10), Rect(0, 2, 50, 10), Rect(0, 3, 30, 10)}},
        {"row exactly as wide as the view",
         Placed::Subviews,
         "PlacementCenterX",
         5,
         box,
         {Rect(0, 1, 30, 10), Rect(0, 2, 30, 10), Rect(0, 3, 30, 10)},
         false,
         {Rect(0, 1, 30, 10), Rect(0, 2, 30, 10), Rect(0, 3, 30, 10)}},
        {"centred column",
         Placed::Subviews,
         "PlacementCenterY",
         4,
         box,
         {Rect(1, 0, 10, 10), Rect(2, 0, 10, 20)},
         true,
         {Rect(1, 8, 10, 10), Rect(2, 22, 10, 20)}},
        {"column taller than the view",
         Placed::Subviews,
         "PlacementCenterY",
         4,
         box,
         {Rect(1, 0, 10, 30), Rect(2, 0, 10, 20)},
         false,
         {Rect(1, 0, 10, 30), Rect(2, 0, 10, 20)}},
        {"heights centred on the first",
         Placed::Subviews,
         "PlacementCenterYRefTop",
         0,
         box,
         {Rect(1, 0, 10, 10), Rect(2, 5, 10, 30)},
         true,
         {Rect(1, 20, 10, 10), Rect(2, 20, 10, 30)}},
        {"left edges centred on the first",
         Placed::Subviews,
         "PlacementCenterXRefLeft",
         0,
         box,
         {Rect(0, 1, 20, 10), Rect(5, 2, 60, 10)},
         true,
         {Rect(40, 1, 20, 10), Rect(40, 2, 60, 10)}},
        // What moves nothing.
        {"unknown subview mode",
         Placed::Subviews,
         "PlacementCenterZ",
         5,
         box,
         {Rect(3, 4, 10, 10)},
         false,
         {Rect(3, 4, 10, 10)}},
        {"superview mode given as subview mode",
         Placed::Subviews,
         "InSuperViewLeft",
         5,
         box,
         {Rect(3, 4, 10, 10)},
         false,
         {Rect(3, 4, 10, 10)}},
        {"no subviews", Placed::Subviews, "PlacementRefLeft", 5, box, {}, false, {}},

        // In the superview.
        {"centred across",
         Placed::InSuperview,
         "InSuperViewCenterX",
         0,
         box,
         {Rect(3, 4, 20, 10)},
         true,
         {Rect(40, 4, 20, 10)}},
        {"centred up and down",
         Placed::InSuperview,
         "InSuperViewCenterY",
         0,
         box,
         {Rect(3, 4, 20, 10)},
         true,
         {Rect(3, 20, 20, 10)}},
        {"at the left",
         Placed::InSuperview,
         "InSuperViewLeft",
         8,
         box,
         {Rect(3, 4, 20, 10)},
         true,
         {Rect(8, 4, 20, 10)}},
        {"spacing past the right edge",
         Placed::InSuperview,
         "InSuperViewLeft",
         85,
         box,
         {Rect(3, 4, 20, 10)},
         true,
         {Rect(0, 4, 20, 10)}},
        {"at the top",
         Placed::InSuperview,
         "InSuperViewTop",
         8,
         box,
         {Rect(3, 4, 20, 10)},
         true,
         {Rect(3, 32, 20, 10)}},
        {"spacing past the bottom edge",
         Placed::InSuperview,
         "InSuperViewTop",
         45,
         box,
         {Rect(3, 4, 20, 10)},
         true,
         {Rect(3, 40, 20, 10)}},
        {"at the right",
         Placed::InSuperview,
         "InSuperViewRight",
         8,
         box,
         {Rect(3, 4, 20, 10)},
         true,
         {Rect(72, 4, 20, 10)}},
        {"spacing past the left edge",
         Placed::InSuperview,
         "InSuperViewRight",
         90,
         box,
         {Rect(3, 4, 20, 10)},
         true,
         {Rect(80, 4, 20, 10)}},
        {"at the bottom",
         Placed::InSuperview,
         "InSuperViewBottom",
         8,
         box,
         {Rect(3, 4, 20, 10)},
         true,
         {Rect(3, 8, 20, 10)}},
        {"spacing past the top edge",
         Placed::InSuperview,
         "InSuperViewBottom",
         45,
         box,
         {Rect(3, 4, 20, 10)},
         true,
         {Rect(3, 0, 20, 10)}},
        {"wider than the superview",
         Placed::InSuperview,
         "InSuperViewCenterX",
         0,
         box,
         {Rect(3, 4, 120, 10)},
         false,
         {Rect(3, 4, 120, 10)}},
        {"wider than the superview, left",
         Placed::InSuperview,
         "InSuperViewLeft",
         0,
         box,
         {Rect(3, 4, 120, 10)},
         false,
         {Rect(3, 4, 120, 10)}},
        {"taller than the superview",
         Placed::InSuperview,
         "InSuperViewTop",
         0,
         box,
         {Rect(3, 4, 20, 60)},
         false,
         {Rect(3, 4, 20, 60)}},
        {"wider only, placed up and down",
         Placed::InSuperview,
         "InSuperViewBottom",
         8,
         box,
         {Rect(3, 4, 120, 10)},
         true,
         {Rect(3, 8, 120, 10)}},
        {"unknown superview mode",
         Placed::InSuperview,
         "InSuperViewMiddle",
         0,
         box,
         {Rect(3, 4, 20, 10)},
         false,
         {Rect(3, 4, 20, 10)}},
        {"subview mode given as superview mode",
         Placed::InSuperview,
         "PlacementCenterX",
         0,
         box,
         {Rect(3, 4, 20, 10)},
         false,
         {Rect(3, 4, 20, 10)}},
        {"no superview",
         Placed::Detached,
         "InSuperViewLeft",
         8,
         box,
         {Rect(3, 4, 20, 10)},
         false,
         {Rect(3, 4, 20, 10)}},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ns::View container(c.container);
        if (c.kind == Placed::Subviews) {
            for (const Rect& frame : c.views)
                container.addSubview(new ns::View(frame));
            EXPECT_EQ(placementSubViewsSpacingPixel(container, c.spacing, c.mode), c.result);
            EXPECT_EQ(framesOf(container.subviews()), c.expected);
        } else {
            ns::View view(c.views.front());
            if (c.kind == Placed::InSuperview)
                container.addSubview(&view);
            EXPECT_EQ(placementInSuperViewSpacingPixel(view, c.spacing, c.mode), c.result);
            EXPECT_EQ(framesOf({&view}), c.expected);
            view.removeFromSuperview();
        }
    }
}

TEST(NSViewPlacement, RearrangeOrderSortsAStableCopy)
{
    ns::View a(Rect(30, 0, 10, 10)), b(Rect(10, 40, 10, 30)), c(Rect(10, 0, 10, 10));
    EXPECT_EQ(rearrangeOrder({&a, &b, &c}, 0), (QList<ns::View*>{&b, &c, &a}));
    EXPECT_EQ(rearrangeOrder({&a, &b, &c}, 1), (QList<ns::View*>{&a, &c, &b}));
    EXPECT_TRUE(rearrangeOrder({}, 0).isEmpty());
}
