#include "app/ui/widgets/NSDictionaryExt.h"

#include "platform/ns/appkit/View.h"
#include "platform/ns/appkit/Window.h"

#include <QtDebug>

namespace NSDictionaryExt
{

namespace
{

std::optional<ns::Dictionary> entry(const ns::Dictionary& layout, const QString& key)
{
    const ns::Value& value = layout.value(key);
    if (!value.isDictionary())
        return std::nullopt;
    return value.toDictionary();
}

ns::Size sizeOf(const ns::Dictionary& item)
{
    return {item.value("W").doubleValue(), item.value("H").doubleValue()};
}

} // namespace

ns::Rect frameOf(const ns::Dictionary& item)
{
    return ns::Rect({item.value("X").doubleValue(), item.value("Y").doubleValue()}, sizeOf(item));
}

bool setItemFrame(const ns::Dictionary& layout, ns::View* view, const QString& key)
{
    const std::optional<ns::Dictionary> item = entry(layout, key);
    if (!item || !view)
        return false;
    view->setFrame(frameOf(*item));
    return true;
}

bool setWindowContentSize(const ns::Dictionary& layout, ns::Window* window, const QString& key)
{
    const std::optional<ns::Dictionary> item = entry(layout, key);
    if (!item || !window)
        return false;
    window->setContentSize(sizeOf(*item));
    return true;
}

bool setUIItemSizeInfo(const ns::Dictionary& layout, ns::View* view, const QString& key)
{
    const std::optional<ns::Dictionary> item = entry(layout, key);
    if (!item || !view)
        return false;
    view->setFrameSize(sizeOf(*item));
    return true;
}

bool setItemFrameInfo(const ns::Dictionary& layout, ns::View* view, const QString& key)
{
    const std::optional<ns::Dictionary> item = entry(layout, key);
    if (!item || !view) {
        qWarning("No layout entry for %s", qPrintable(key));
        return false;
    }
    view->setFrame(frameOf(*item));
    if (item->contains("Hidden"))
        view->setHidden(item->value("Hidden").boolValue());
    return true;
}

bool setItemImage(const ns::Dictionary&, ns::View*, const QString&)
{
    return false;
}
bool setItemHiden(const ns::Dictionary&, ns::View*, const QString&)
{
    return false;
}
bool setItemFrameImageHiden(const ns::Dictionary&, ns::View*, const QString&)
{
    return false;
}

} // namespace NSDictionaryExt
