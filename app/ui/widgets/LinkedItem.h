#pragma once

#include <QString>

// The identifier and web-link label of the toolbar or menu entry a control
// stands for (NSButtonExt, NSPopUpButtonExt).
class LinkedItem
{
public:
    const QString& itemIdentifier() const { return _itemIdentifier; }
    void setItemIdentifier(const QString& identifier) { _itemIdentifier = identifier; }
    const QString& urlLabel() const { return urlLabel_; }
    void setUrlLabel(const QString& label) { urlLabel_ = label; }

private:
    QString _itemIdentifier;
    QString urlLabel_;
};
