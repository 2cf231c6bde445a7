// DialogLayouts.h - the key assignment dialog and the profile manager.
#pragma once

#include "Layout.h"

namespace skin {

// Composite.ini. `page` is the page picture's rectangle (CONTROL_MASK).
struct CompositeLayout : WindowLayout {
    QRectF titleBar, page, footer;
};
CompositeLayout buildCompositeLayout();

struct ProfileLayout : WindowLayout {
    QRectF titleBar, list;
};
ProfileLayout buildProfileLayout();

}  // namespace skin
