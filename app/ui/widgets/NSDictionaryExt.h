#pragma once

#include "platform/ns/Value.h"
#include "platform/ns/appkit/Geometry.h"

namespace ns
{
class View;
class Window;
} // namespace ns

// Frame operations driven by a dictionary of layout entries: each entry,
// stored under a key, holds "X", "Y", "W", "H" (numbers or numeric strings)
// and optionally "Hidden". Each answers NO and changes nothing when the entry
// or the object is missing.
namespace NSDictionaryExt
{

// The rectangle X, Y, W, H of one entry; missing numbers count as 0.
ns::Rect frameOf(const ns::Dictionary& item);
// The frame X, Y, W, H.
bool setItemFrame(const ns::Dictionary& layout, ns::View* view, const QString& key);
// The window's content size W, H.
bool setWindowContentSize(const ns::Dictionary& layout, ns::Window* window, const QString& key);
// The size W, H, keeping the view's origin.
bool setUIItemSizeInfo(const ns::Dictionary& layout, ns::View* view, const QString& key);
// The frame and, when given, "Hidden"; a missing entry is logged with its key.
bool setItemFrameInfo(const ns::Dictionary& layout, ns::View* view, const QString& key);

// Images and visibility are not taken from layout entries: these answer NO.
bool setItemImage(const ns::Dictionary& layout, ns::View* view, const QString& key);
bool setItemHiden(const ns::Dictionary& layout, ns::View* view, const QString& key);
bool setItemFrameImageHiden(const ns::Dictionary& layout, ns::View* view, const QString& key);

} // namespace NSDictionaryExt
