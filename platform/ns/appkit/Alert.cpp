#include "platform/ns/appkit/Alert.h"

#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

#include <QFontMetricsF>

#include <cmath>

namespace ns
{

namespace
{

constexpr double panelWidth = 420;
constexpr double margin = 20;
constexpr double iconSize = 64;
constexpr double textLeft = margin + iconSize + 16;
constexpr double buttonHeight = 32;
constexpr double minimumButtonWidth = 82;

// Stops the modal run with the code of the pressed button.
class AlertResponder : public Object
{
public:
    AlertResponder()
    {
        registerSelector("defaultPressed:", [](Object*) {
            Application::sharedApplication().stopModalWithCode(AlertDefaultReturn);
        });
        registerSelector("alternatePressed:", [](Object*) {
            Application::sharedApplication().stopModalWithCode(AlertAlternateReturn);
        });
        registerSelector("otherPressed:", [](Object*) {
            Application::sharedApplication().stopModalWithCode(AlertOtherReturn);
        });
    }
};

double textHeight(const QString& text, const Font& font, double width)
{
    if (text.isEmpty())
        return 0;
    const QRectF bounds =
        QFontMetricsF(font.qFont())
            .boundingRect(QRectF(0, 0, width, 100000), int(Qt::TextWordWrap | Qt::AlignLeft), text);
    return std::ceil(bounds.height()) + 2;
}

TextField* makeLabel(const QString& text, const Font& font)
{
    auto* label = new TextField();
    label->setEditable(false);
    label->setBezeled(false);
    label->setDrawsBackground(false);
    label->setFont(font);
    label->setStringValue(text);
    return label;
}

Button* makeButton(const QString& title, const QString& action, const QString& key, Object* target)
{
    auto* button = new Button();
    button->setTitle(title);
    button->setBezelStyle(RoundedBezelStyle);
    button->setKeyEquivalent(key);
    button->setTarget(target);
    button->setAction(action);
    button->sizeToFit();
    Size size = button->frame().size;
    button->setFrameSize({std::max(size.width, minimumButtonWidth), buttonHeight});
    return button;
}

} // namespace

int runAlertPanel(const QString& title, const QString& message, const QString& defaultButton,
                  const QString& alternateButton, const QString& otherButton)
{
    const Font titleFont = Font::boldSystemFontOfSize(0);
    const Font messageFont = Font::systemFontOfSize(Font::smallSystemFontSize());
    const double textWidth = panelWidth - textLeft - margin;
    const double titleHeight = textHeight(title, titleFont, textWidth);
    const double messageHeight = textHeight(message, messageFont, textWidth);
    const double textBlock = titleHeight + (titleHeight > 0 && messageHeight > 0 ? 8 : 0) + messageHeight;
    const double height = margin + std::max(iconSize, textBlock) + margin + buttonHeight + 12;

    Panel panel(Rect(0, 0, panelWidth, height), TitledWindowMask);
    panel.center();
    View* content = panel.contentView();
    AlertResponder responder;

    const Image icon = Application::sharedApplication().applicationIconImage();
    if (!icon.isNull()) {
        auto* iconView = new ImageView(Rect(margin, height - margin - iconSize, iconSize, iconSize));
        iconView->setImage(icon);
        content->addSubview(iconView);
    }
    double top = height - margin;
    if (titleHeight > 0) {
        TextField* label = makeLabel(title, titleFont);
        label->setFrame(Rect(textLeft, top - titleHeight, textWidth, titleHeight));
        content->addSubview(label);
        top -= titleHeight + 8;
    }
    if (messageHeight > 0) {
        TextField* label = makeLabel(message, messageFont);
        label->setFrame(Rect(textLeft, top - messageHeight, textWidth, messageHeight));
        content->addSubview(label);
    }

    const QString defaultTitle = defaultButton.isEmpty() ? QStringLiteral("OK") : defaultButton;
    double right = panelWidth - margin + 6; // the rounded bezel has room for its shadow
    Button* button =
        makeButton(defaultTitle, QStringLiteral("defaultPressed:"), QStringLiteral("\r"), &responder);
    right -= button->frame().size.width;
    button->setFrameOrigin({right, 12});
    content->addSubview(button);
    if (!alternateButton.isEmpty()) {
        button = makeButton(alternateButton, QStringLiteral("alternatePressed:"), QStringLiteral("\x1b"),
                            &responder);
        right -= button->frame().size.width;
        button->setFrameOrigin({right, 12});
        content->addSubview(button);
    }
    if (!otherButton.isEmpty()) {
        button = makeButton(otherButton, QStringLiteral("otherPressed:"), QString(), &responder);
        button->setFrameOrigin({textLeft - 6, 12});
        content->addSubview(button);
    }

    const int code = Application::sharedApplication().runModalForWindow(&panel);
    panel.orderOut(nullptr);
    return code;
}

} // namespace ns
