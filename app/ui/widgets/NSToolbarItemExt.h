#pragma once

#include "platform/ns/appkit/Toolbar.h"

// A toolbar item that keeps its English label and tool tip beside the
// localised ones, and parks its action while it is disabled.
class NSToolbarItemExt : public ns::ToolbarItem
{
public:
    explicit NSToolbarItemExt(const QString& identifier);

    const QString& englishLabel() const { return englishLabel_; }
    void setEnglishLabel(const QString& label) { englishLabel_ = label; }
    const QString& englishToolTip() const { return englishToolTip_; }
    void setEnglishToolTip(const QString& toolTip) { englishToolTip_ = toolTip; }
    const QString& backUpAction() const { return backUpAction_; }
    void setBackUpAction(const QString& action) { backUpAction_ = action; }
    const QString& urlLabel() const { return urlLabel_; }
    void setUrlLabel(const QString& label) { urlLabel_ = label; }

private:
    QString englishLabel_;
    QString englishToolTip_;
    QString backUpAction_;
    QString urlLabel_;
};
