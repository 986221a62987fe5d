#pragma once

#include <QFont>
#include <QString>

#include <optional>

namespace ns
{

enum FontTraitMask : unsigned {
    ItalicFontMask = 0x00000001,
    BoldFontMask = 0x00000002,
    UnboldFontMask = 0x00000004,
    NonStandardCharacterSetFontMask = 0x00000008,
    NarrowFontMask = 0x00000010,
    ExpandedFontMask = 0x00000020,
    CondensedFontMask = 0x00000040,
    SmallCapsFontMask = 0x00000080,
    PosterFontMask = 0x00000100,
    CompressedFontMask = 0x00000200,
    FixedPitchFontMask = 0x00000400,
    UnitalicFontMask = 0x01000000,
};

// A font of a family at a size. Sizes are Cocoa's points, which are the same
// units as frames, so a font of size 13 is 13 pixels high whatever the
// desktop's resolution.
class Font
{
public:
    explicit Font(const QFont& font) : font_(font) {}

    // The installed font of that name ("Family" or "Family-Style"); nothing
    // when there is none. A size of 0 gives the default user size.
    static std::optional<Font> fontWithName(const QString& name, double size);
    // A size of 0 gives the default size of each kind.
    static Font systemFontOfSize(double size);
    static Font boldSystemFontOfSize(double size);
    static Font labelFontOfSize(double size);
    static Font userFontOfSize(double size);
    static double systemFontSize() { return 13; }
    static double smallSystemFontSize() { return 11; }
    static double labelFontSize() { return 10; }

    QString fontName() const { return font_.family(); }
    QString familyName() const { return font_.family(); }
    double pointSize() const { return font_.pixelSize(); }

    const QFont& qFont() const { return font_; }
    bool operator==(const Font& other) const { return font_ == other.font_; }

private:
    QFont font_;
};

class FontManager
{
public:
    static FontManager& sharedFontManager();

    // The font changed to have the traits of the mask (0 changes nothing).
    Font convertFont(const Font& font, unsigned traitMask) const;
    unsigned traitsOfFont(const Font& font) const;
};

} // namespace ns
