#include "app/ui/widgets/FontCreation.h"

ns::Font createFont(const QString& fontName, double size, unsigned traitMask,
                    const std::optional<ns::Font>& currentFont)
{
    ns::Font font = ns::Font::fontWithName(fontName, size)
                        .value_or(currentFont.value_or(ns::Font::labelFontOfSize(size)));
    return ns::FontManager::sharedFontManager().convertFont(font, traitMask);
}
