#pragma once

#include "platform/ns/appkit/Font.h"

#include <optional>

// The installed font of the name at the size when there is one, else the
// current font, else the label font at the size; in each case converted to
// have the traits of the mask.
ns::Font createFont(const QString& fontName, double size, unsigned traitMask,
                    const std::optional<ns::Font>& currentFont);
