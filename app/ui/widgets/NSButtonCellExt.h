#pragma once

#include "app/ui/widgets/TitleColored.h"
#include "platform/ns/appkit/Button.h"

// A button cell (of a matrix) whose title keeps its colour.
class NSButtonCellExt : public ns::ButtonCell, public TitleColored
{
public:
    explicit NSButtonCellExt(const QString& title = QString());

    void setTitleColor(const std::optional<ns::Color>& color) override;
    // Sets the title and shows it in the title colour.
    void setTitle(const QString& title) override;
};
