#pragma once

#include "app/ui/widgets/LinkedItem.h"
#include "app/ui/widgets/TitleColored.h"
#include "platform/ns/appkit/Button.h"

// A button whose title keeps its colour, with the identifier and web-link
// label of the toolbar or menu entry it stands for.
class NSButtonExt : public ns::Button, public TitleColored, public LinkedItem
{
public:
    explicit NSButtonExt(const ns::Rect& frame = ns::Rect());

    void setTitleColor(const std::optional<ns::Color>& color) override;
    // Sets the title and shows it in the title colour.
    void setTitle(const QString& title) override;
};
