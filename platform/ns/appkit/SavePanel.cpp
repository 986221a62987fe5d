#include "platform/ns/appkit/SavePanel.h"

#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"

#include <QDir>

#include <utility>

namespace ns
{

namespace
{

constexpr double kWidth = 440;
constexpr double kHeight = 128;
constexpr double kLabelWidth = 70;

TextField* addField(View* content, const QString& label, double y)
{
    auto* title = TextField::labelWithFrame(Rect(16, y + 3, kLabelWidth, 18), Font::systemFontOfSize(13),
                                            RightTextAlignment);
    title->setStringValue(label);
    content->addSubview(title);
    auto* field = new TextField(Rect(24 + kLabelWidth, y, kWidth - 40 - kLabelWidth, 24));
    content->addSubview(field);
    return field;
}

Button* addButton(View* content, const QString& title, double x, const QString& action, const QString& key,
                  Object* target)
{
    auto* button = new Button(Rect(x, 12, 96, 32));
    button->setTitle(title);
    button->setBezelStyle(RoundedBezelStyle);
    button->setKeyEquivalent(key);
    button->setTarget(target);
    button->setAction(action);
    content->addSubview(button);
    return button;
}

} // namespace

SavePanel::SavePanel() : Panel(Rect(0, 0, kWidth, kHeight), TitledWindowMask)
{
    View* content = contentView();
    nameField_ = addField(content, QStringLiteral("Save As:"), kHeight - 40);
    nameField_->setDelegate(this);
    directoryField_ = addField(content, QStringLiteral("Where:"), kHeight - 72);
    directoryField_->setStringValue(QDir::homePath());
    saveButton_ = addButton(content, QStringLiteral("Save"), kWidth - 110, QStringLiteral("savePressed:"),
                            QStringLiteral("\r"), this);
    cancelButton_ = addButton(content, QStringLiteral("Cancel"), kWidth - 206,
                              QStringLiteral("cancelPressed:"), QStringLiteral("\x1b"), this);
    saveButton_->setEnabled(false);
    registerSelector("savePressed:", [this](Object*) { finish(FileHandlingPanelOKButton); });
    registerSelector("cancelPressed:", [this](Object*) { finish(FileHandlingPanelCancelButton); });
}

SavePanel::~SavePanel() = default;

void SavePanel::setDirectory(const QString& path)
{
    directoryField_->setStringValue(path);
}

QString SavePanel::directory() const
{
    return directoryField_->stringValue();
}

void SavePanel::setNameFieldStringValue(const QString& name)
{
    nameField_->setStringValue(name);
    saveButton_->setEnabled(!name.trimmed().isEmpty());
}

QString SavePanel::nameFieldStringValue() const
{
    return nameField_->stringValue();
}

void SavePanel::controlTextDidChange(const Notification&)
{
    saveButton_->setEnabled(!nameField_->stringValue().trimmed().isEmpty());
}

QString SavePanel::filename() const
{
    const QString name = nameFieldStringValue().trimmed();
    if (name.isEmpty())
        return QString();
    QString file = QDir(directory()).filePath(name);
    if (!requiredFileType_.isEmpty() &&
        !file.endsWith(QLatin1Char('.') + requiredFileType_, Qt::CaseInsensitive))
        file += QLatin1Char('.') + requiredFileType_;
    return file;
}

bool SavePanel::beginSheetForDirectory(const QString& path, const QString& name, Window* docWindow,
                                       std::function<void(SavePanel*, int)> didEnd)
{
    if (!path.isEmpty())
        setDirectory(path);
    if (!name.isEmpty())
        setNameFieldStringValue(name);
    didEnd_ = std::move(didEnd);
    return Application::sharedApplication().beginSheet(this, docWindow);
}

void SavePanel::finish(int code)
{
    if (code == FileHandlingPanelOKButton && filename().isEmpty())
        return;
    orderOut(nullptr);
    Application::sharedApplication().endSheet(this, code);
    // The callback may start another sheet with this panel: take it first.
    if (auto didEnd = std::exchange(didEnd_, nullptr))
        didEnd(this, code);
}

} // namespace ns
