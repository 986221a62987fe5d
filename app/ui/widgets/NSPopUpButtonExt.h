#pragma once

#include "app/ui/widgets/LinkedItem.h"
#include "app/ui/widgets/TitleColored.h"
#include "platform/ns/appkit/PopUpButton.h"

// A pop-up button whose title keeps its colour, with the identifier and
// web-link label of the entry it stands for.
class NSPopUpButtonExt : public ns::PopUpButton, public TitleColored, public LinkedItem
{
public:
    explicit NSPopUpButtonExt(const ns::Rect& frame = ns::Rect(), bool pullsDown = false);

    void setTitleColor(const std::optional<ns::Color>& color) override;
    // Sets the title and shows it in the title colour.
    void setTitle(const QString& title) override;
};
