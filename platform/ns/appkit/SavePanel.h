#pragma once

#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

#include <QString>

#include <functional>

namespace ns
{

class Button;

enum FileHandlingPanelButton { FileHandlingPanelCancelButton = 0, FileHandlingPanelOKButton = 1 };

// The panel that asks where to save a file: a name ("Save As:"), a folder
// ("Where:"), Cancel and Save. With a required file type the chosen file
// always ends in that extension. Shown as a sheet on a window, it ends with
// FileHandlingPanelOKButton or FileHandlingPanelCancelButton; Save works only
// with a name.
class SavePanel : public Panel, public TextFieldDelegate
{
public:
    SavePanel();
    ~SavePanel() override;

    // The extension without its dot; empty allows any.
    void setRequiredFileType(const QString& type) { requiredFileType_ = type; }
    QString requiredFileType() const { return requiredFileType_; }
    void setDirectory(const QString& path);
    QString directory() const;
    void setNameFieldStringValue(const QString& name);
    QString nameFieldStringValue() const;
    // The chosen path: the folder joined with the name, the required
    // extension appended when the name does not end in it.
    QString filename() const;

    // Shows the panel as a sheet on the window with that folder and name
    // (empty: as they are); didEnd receives the panel and the button's code
    // once the panel is ordered out. False when the window takes no sheet.
    bool beginSheetForDirectory(const QString& path, const QString& name, Window* docWindow,
                                std::function<void(SavePanel*, int)> didEnd);

    Button* saveButton() const { return saveButton_; }
    Button* cancelButton() const { return cancelButton_; }

    void controlTextDidChange(const Notification& notification) override;

private:
    void finish(int code);

    QString requiredFileType_;
    TextField* nameField_;
    TextField* directoryField_;
    Button* saveButton_;
    Button* cancelButton_;
    std::function<void(SavePanel*, int)> didEnd_;
};

} // namespace ns
