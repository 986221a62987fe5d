// Reading skin items and dressing objects with them.

#include "app/ui/skin/UIManager.h"

#include "app/config/ConfigService.h"
#include "app/ui/placement/NSViewPlacement.h"
#include "app/ui/skin/SkinItem.h"
#include "app/ui/widgets/FontCreation.h"
#include "app/ui/widgets/NSButtonCellExt.h"
#include "app/ui/widgets/NSColorExt.h"
#include "app/ui/widgets/NSFlickerButton.h"
#include "app/ui/widgets/NSImageExt.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

#include <QStringList>

#include <functional>

namespace
{

const QString kDefaultStripOrder = QStringLiteral("Up,Down,Disable,In");
const QString kVerticalStyle = QStringLiteral("Vertical");
const QString kHorizontalStyle = QStringLiteral("Horizontal");

// Controls and cells take a font; other objects do not.
std::optional<ns::Font> currentFontOf(ns::Object* object)
{
    if (auto* control = dynamic_cast<ns::Control*>(object))
        return control->font();
    if (auto* cell = dynamic_cast<ns::Cell*>(object))
        return cell->font();
    return std::nullopt;
}

bool takesFont(ns::Object* object)
{
    return dynamic_cast<ns::Control*>(object) || dynamic_cast<ns::Cell*>(object);
}

void giveFont(ns::Object* object, const ns::Font& font)
{
    if (auto* control = dynamic_cast<ns::Control*>(object))
        control->setFont(font);
    else if (auto* cell = dynamic_cast<ns::Cell*>(object))
        cell->setFont(font);
}

// The frame of a view or window; nothing for other objects.
std::optional<ns::Rect> frameOf(ns::Object* object)
{
    if (auto* view = dynamic_cast<ns::View*>(object))
        return view->frame();
    if (auto* window = dynamic_cast<ns::Window*>(object))
        return window->frame();
    return std::nullopt;
}

// The image cut into strips of equal height (from the top) or equal width
// (from the left).
QList<ns::Image> cutStrips(const ns::Image& image, int count, bool vertical)
{
    QList<ns::Image> strips;
    const ns::Size size = image.size();
    for (int i = 0; i < count; ++i) {
        const ns::Rect strip = vertical
                                   ? ns::Rect(0, i * size.height / count, size.width, size.height / count)
                                   : ns::Rect(i * size.width / count, 0, size.width / count, size.height);
        strips.append(NSImageExt::cutImageInRect(image, strip));
    }
    return strips;
}

QStringList stripNames(const QString& order)
{
    QStringList names = order.split(QLatin1Char(','));
    for (QString& name : names)
        name = name.trimmed();
    return names;
}

// Runs each placement of the list: "Mode" or "Mode,spacing".
void runPlacements(const ns::Value& list, const std::function<void(int, const QString&)>& place)
{
    for (const ns::Value& entry : list.toArray()) {
        const QStringList parts = entry.toString().split(QLatin1Char(','));
        place(parts.size() == 2 ? parts.at(1).trimmed().toInt() : 0, parts.at(0));
    }
}

} // namespace

// ---- reading items ----

std::optional<ns::Dictionary> UIManager::itemInfoDictForKey(const QString& key) const
{
    if (!skinInfo_)
        return std::nullopt;
    const ns::Value& item = skinInfo_->value(key);
    if (!item.isDictionary())
        return std::nullopt;
    return item.toDictionary();
}

bool UIManager::getItemPoint(ns::Point* point, const QString& key) const
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item)
        return false;
    const auto left = SkinItem::number(*item, QStringLiteral("Left"));
    const auto bottom = SkinItem::number(*item, QStringLiteral("Bottom"));
    if (!left || !bottom)
        return false;
    *point = {*left, *bottom};
    return true;
}

bool UIManager::getItemSize(ns::Size* size, const QString& key) const
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item)
        return false;
    const auto width = SkinItem::number(*item, QStringLiteral("Width"));
    const auto height = SkinItem::number(*item, QStringLiteral("Height"));
    if (!width || !height)
        return false;
    *size = {*width, *height};
    return true;
}

bool UIManager::getItemRect(ns::Rect* rect, const QString& key) const
{
    ns::Point origin;
    ns::Size size;
    if (!getItemPoint(&origin, key) || !getItemSize(&size, key))
        return false;
    *rect = {origin, size};
    return true;
}

bool UIManager::getItemCutRect(ns::Rect* rect, const QString& key) const
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item)
        return false;
    const auto left = SkinItem::number(*item, QStringLiteral("CutLeft"));
    const auto top = SkinItem::number(*item, QStringLiteral("CutTop"));
    const auto width = SkinItem::number(*item, QStringLiteral("CutWidth"));
    const auto height = SkinItem::number(*item, QStringLiteral("CutHeight"));
    if (!left || !top || !width || !height)
        return false;
    *rect = {*left, *top, *width, *height};
    return true;
}

ns::Image UIManager::itemImage(ns::Object* controller, const QString& key) const
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item)
        return ns::Image();
    const QString name = SkinItem::string(*item, QStringLiteral("ImageName"));
    if (name.isEmpty())
        return ns::Image();
    const ns::Image image = ns::Image::imageWithContentsOfFile(skinPath_ + QLatin1Char('/') + name);
    if (image.isNull())
        return ns::Image();
    if (SkinItem::flag(*item, QStringLiteral("CutImage"))) {
        ns::Rect cut;
        return getItemCutRect(&cut, key) ? NSImageExt::cutImageInRect(image, cut) : image;
    }
    if (!SkinItem::flag(*item, QStringLiteral("Rescale")))
        return image;
    ns::Size target = image.size();
    const std::optional<ns::Rect> frame = frameOf(controller);
    if (frame && SkinItem::flag(*item, QStringLiteral("WidthFromController")))
        target.width = frame->width();
    else if (frame && SkinItem::flag(*item, QStringLiteral("HeightFromController")))
        target.height = frame->height();
    else if (frame && SkinItem::flag(*item, QStringLiteral("SizeFromController")))
        target = frame->size;
    else if (!getItemSize(&target, key))
        return image;
    return NSImageExt::rescaleImage(image, target);
}

std::optional<ns::Color> UIManager::textColorForKey(const QString& key) const
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item)
        return std::nullopt;
    return NSColorExt::colorWithNSString(SkinItem::string(*item, QStringLiteral("TextColorString")));
}

// ---- fonts ----

void UIManager::setFontBeforeRegisting(ns::Object* controller)
{
    if (!takesFont(controller))
        return;
    std::optional<ns::Dictionary> fontInfo;
    if (skinInfo_ && skinInfo_->value(QStringLiteral("allFont")).isDictionary())
        fontInfo = skinInfo_->value(QStringLiteral("allFont")).toDictionary();
    else
        fontInfo = configService().getUIFont();
    if (!fontInfo)
        return;
    const double size = SkinItem::number(*fontInfo, QStringLiteral("FontSize")).value_or(0);
    if (const auto font =
            ns::Font::fontWithName(SkinItem::string(*fontInfo, QStringLiteral("FontName")), size))
        giveFont(controller, *font);
}

void UIManager::setFont(ns::Object* controller, const QString& key)
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item || !takesFont(controller) || !item->value(QStringLiteral("Font")).isDictionary())
        return;
    const ns::Dictionary fontInfo = item->value(QStringLiteral("Font")).toDictionary();
    const double size =
        SkinItem::number(fontInfo, QStringLiteral("FontSize")).value_or(ns::Font::labelFontSize());
    const unsigned traits = unsigned(fontInfo.value(QStringLiteral("FontTrait")).intValue());
    giveFont(controller, createFont(SkinItem::string(fontInfo, QStringLiteral("FontName")), size, traits,
                                    currentFontOf(controller)));
}

// ---- appliers ----

void UIManager::setHidden(ns::Object* controller, const QString& key)
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item || !item->contains(QStringLiteral("Hidden")))
        return;
    // Views hide; windows, cells and tab items have no such state.
    if (auto* view = dynamic_cast<ns::View*>(controller))
        view->setHidden(SkinItem::flag(*item, QStringLiteral("Hidden")));
}

void UIManager::setPosition(ns::View* view, const QString& key)
{
    ns::Point origin;
    if (getItemPoint(&origin, key))
        view->setFrameOrigin(origin);
}

void UIManager::setSize(ns::View* view, const QString& key)
{
    ns::Size size;
    if (getItemSize(&size, key))
        view->setFrameSize(size);
}

void UIManager::setTextColor(ns::Object* controller, const QString& key)
{
    const std::optional<ns::Color> color = textColorForKey(key);
    if (!color)
        return;
    if (auto* field = dynamic_cast<ns::TextField*>(controller))
        field->setTextColor(*color);
    else if (auto* cell = dynamic_cast<ns::TextFieldCell*>(controller))
        cell->setTextColor(*color);
    else if (auto* titled = dynamic_cast<TitleColored*>(controller))
        titled->setTitleColor(color);
}

void UIManager::setMatrixColor(ns::Matrix* matrix, const QString& key)
{
    const std::optional<ns::Color> color = textColorForKey(key);
    if (!color)
        return;
    for (ns::ButtonCell* cell : matrix->cells()) {
        if (auto* titled = dynamic_cast<NSButtonCellExt*>(cell))
            titled->setTitleColor(color);
    }
}

void UIManager::setGroupFlickerBtn(NSFlickerButton* button, const QString& key)
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item)
        return;
    const QString groupID = SkinItem::string(*item, QStringLiteral("GroupBtnID"));
    if (!groupID.isEmpty())
        button->setGroupButton(groupID, SkinItem::flag(*item, QStringLiteral("GroupBtnDefault")));
}

void UIManager::updateButtonTitleColor(NSFlickerButton* button, const QString& key)
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item)
        return;
    const ns::Dictionary colors = item->value(QStringLiteral("BtnTitleColorDict")).toDictionary();
    const auto color = [&colors](const char* state) {
        return NSColorExt::colorWithNSString(colors.value(QLatin1String(state)).toString());
    };
    if (const auto up = color("Up")) {
        button->setTitleColor(up);
        button->setUpTitleColor(up);
    }
    if (const auto in = color("In"))
        button->setInTitleColor(in);
    if (const auto down = color("Down"))
        button->setDnTitleColor(down);
}

void UIManager::placementSubviews(ns::View* view, const QString& key)
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item)
        return;
    runPlacements(
        item->value(QStringLiteral("PlacementSubviewMethod")),
        [view](int spacing, const QString& mode) { placementSubViewsSpacingPixel(*view, spacing, mode); });
}

void UIManager::placementInSuperview(ns::View* view, const QString& key)
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item)
        return;
    runPlacements(
        item->value(QStringLiteral("PlacementInSuperviewMethod")),
        [view](int spacing, const QString& mode) { placementInSuperViewSpacingPixel(*view, spacing, mode); });
}

// ---- button images from strips ----

void UIManager::update4ImageButton(NSFlickerButton* button, const QString& imageName, const ns::Image& image,
                                   const QString& key)
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item || imageName.isEmpty() || image.isNull())
        return;
    const QString order = SkinItem::string(*item, QStringLiteral("BtnImageOrder"));
    const QStringList names = stripNames(order.isEmpty() ? kDefaultStripOrder : order);
    const bool vertical = SkinItem::string(*item, QStringLiteral("BtnStyle")) == kVerticalStyle;
    const QList<ns::Image> strips = cutStrips(image, int(names.size()), vertical);
    for (int i = 0; i < names.size(); ++i) {
        const QString& state = names.at(i);
        if (state == QLatin1String("Up")) {
            button->setImageUp(strips.at(i));
            button->setImage(strips.at(i));
        } else if (state == QLatin1String("Down")) {
            button->setImageDn(strips.at(i));
        } else if (state == QLatin1String("Disable")) {
            button->setImageDisable(strips.at(i));
        } else if (state == QLatin1String("In")) {
            button->setImageIn(strips.at(i));
        }
    }
    button->sizeToFit();
}

void UIManager::update2ImageButton(NSButtonExt* button, const QString& imageName, const ns::Image& image,
                                   const QString& key)
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item || imageName.isEmpty() || image.isNull())
        return;
    button->setButtonType(ns::MomentaryChangeButton);
    button->setBordered(false);
    const QString style = SkinItem::string(*item, QStringLiteral("BtnStyle"));
    if (style == kVerticalStyle || style == kHorizontalStyle) {
        // Two strips: up, then down (shown while pressed).
        const QList<ns::Image> strips = cutStrips(image, 2, style == kVerticalStyle);
        button->setImage(strips.at(0));
        button->setAlternateImage(strips.at(1));
    }
    button->sizeToFit();
}
