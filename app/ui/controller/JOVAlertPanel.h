#pragma once

#include "app/ui/controller/JOVUIController.h"

#include <memory>

class NSButtonExt;

namespace ns
{
class Button;
class TextField;
class Window;
} // namespace ns

// The skinned alert panel: a window of the skin ("wndJOVAlertPanel") with a
// title, a message and OK and Cancel buttons, run modally. One per process:
// the first one made becomes the shared panel, which NSRunAlertPanelExt
// uses. Without the skin item, and for an alert raised while the panel is
// up, the system's alert panel runs instead.
class JOVAlertPanel : public JOVUIController
{
public:
    explicit JOVAlertPanel(ConfigManager& store = ConfigManager::sharedConfigManager());
    ~JOVAlertPanel() override;

    // The shared panel; null before one is made.
    static JOVAlertPanel* shareAlertPanel();

    // Runs the panel and returns the pressed button's code: 1 for the
    // default button (OK), 0 for the alternate one (Cancel). Without an
    // alternate text only the default button shows.
    int runAlertPanelTitle(const QString& title, const QString& msg, const QString& strDefaultBtn,
                           const QString& strAlternateBtn);
    void btnOKAction(ns::Object* sender);
    void btnCancelAction(ns::Object* sender);

    ns::Window* window() const { return wndAlert_.get(); }
    NSButtonExt* okButton() const { return btnOK_; }
    NSButtonExt* cancelButton() const { return btnCancel_; }

protected:
    // Builds the panel, wires its buttons and registers it with the skin manager.
    void initializeNibResources() override;

private:
    void endWithCode(int code);

    std::unique_ptr<ns::Window> wndAlert_;
    ns::TextField* labelTitle_ = nullptr;
    ns::TextField* labelMsg_ = nullptr;
    NSButtonExt* btnOK_ = nullptr;
    NSButtonExt* btnCancel_ = nullptr;
};
