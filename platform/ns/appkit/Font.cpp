#include "platform/ns/appkit/Font.h"

#include <QFontDatabase>
#include <QStringList>

#include <cmath>

namespace ns
{

namespace
{

constexpr double userFontSize = 12;

QFont sizedFont(QFont font, double size)
{
    font.setPixelSize(std::max(1, int(std::lround(size))));
    return font;
}

QString installedFamily(const QString& name)
{
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families) {
        if (family.compare(name, Qt::CaseInsensitive) == 0)
            return family;
    }
    return QString();
}

} // namespace

std::optional<Font> Font::fontWithName(const QString& name, double size)
{
    if (name.isEmpty())
        return std::nullopt;
    double pixels = size > 0 ? size : userFontSize;
    QString family = installedFamily(name);
    if (!family.isEmpty())
        return Font(sizedFont(QFont(family), pixels));
    // PostScript-style names: "Family-Style", such as "Helvetica-Bold".
    int dash = name.lastIndexOf(QLatin1Char('-'));
    if (dash <= 0)
        return std::nullopt;
    family = installedFamily(name.left(dash));
    if (family.isEmpty())
        return std::nullopt;
    const QString style = name.mid(dash + 1);
    for (const QString& available : QFontDatabase::styles(family)) {
        if (QString(available).remove(QLatin1Char(' ')).compare(style, Qt::CaseInsensitive) == 0)
            return Font(sizedFont(QFontDatabase::font(family, available, 12), pixels));
    }
    return std::nullopt;
}

Font Font::systemFontOfSize(double size)
{
    return Font(
        sizedFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont), size > 0 ? size : systemFontSize()));
}

Font Font::boldSystemFontOfSize(double size)
{
    QFont font = systemFontOfSize(size).qFont();
    font.setBold(true);
    return Font(font);
}

Font Font::labelFontOfSize(double size)
{
    return systemFontOfSize(size > 0 ? size : labelFontSize());
}

Font Font::userFontOfSize(double size)
{
    return systemFontOfSize(size > 0 ? size : userFontSize);
}

FontManager& FontManager::sharedFontManager()
{
    static FontManager manager;
    return manager;
}

Font FontManager::convertFont(const Font& font, unsigned traitMask) const
{
    QFont result = font.qFont();
    if (traitMask & BoldFontMask)
        result.setBold(true);
    if (traitMask & UnboldFontMask)
        result.setBold(false);
    if (traitMask & ItalicFontMask)
        result.setItalic(true);
    if (traitMask & UnitalicFontMask)
        result.setItalic(false);
    if (traitMask & SmallCapsFontMask)
        result.setCapitalization(QFont::SmallCaps);
    if (traitMask & (NarrowFontMask | CondensedFontMask | CompressedFontMask))
        result.setStretch(QFont::Condensed);
    if (traitMask & ExpandedFontMask)
        result.setStretch(QFont::Expanded);
    if (traitMask & FixedPitchFontMask) {
        result.setFixedPitch(true);
        result.setStyleHint(QFont::Monospace);
    }
    return Font(result);
}

unsigned FontManager::traitsOfFont(const Font& font) const
{
    const QFont& f = font.qFont();
    unsigned traits = 0;
    if (f.bold())
        traits |= BoldFontMask;
    if (f.italic())
        traits |= ItalicFontMask;
    if (f.capitalization() == QFont::SmallCaps)
        traits |= SmallCapsFontMask;
    if (f.stretch() > 0 && f.stretch() < QFont::Unstretched)
        traits |= CondensedFontMask;
    if (f.stretch() > QFont::Unstretched)
        traits |= ExpandedFontMask;
    if (f.fixedPitch())
        traits |= FixedPitchFontMask;
    return traits;
}

} // namespace ns
