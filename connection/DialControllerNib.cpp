// The Internet view, built in code into the main tab view's "Internet" page:
// the profile box with the profile list, the connection status, the live
// speed graph and the connect button. Texts are set by updateLanguages.
#include "connection/DialController.h"

#include "connection/StatisticsController/statisticsView.h"
#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"

namespace
{

const QString kInternetPage = QStringLiteral("Internet");
// How far the status lines move down while the operator's note shows.
constexpr double kMtsNoteHeight = 24;
// The speed graph stands at the top right, beside the profile box and the
// status lines, above the connection figures.
constexpr double kGraphWidth = 300;
constexpr double kGraphHeight = 166;
constexpr double kPageMargin = 24;
constexpr double kStateImageLeft = 160;
constexpr double kStateTextLeft = 184;

} // namespace

ns::View* DialController::internetTabView() const
{
    const int index = tabviewMain ? tabviewMain->indexOfTabViewItemWithIdentifier(kInternetPage) : -1;
    ns::TabViewItem* item = index < 0 ? nullptr : tabviewMain->tabViewItemAtIndex(index);
    return item ? item->view() : nullptr;
}

void DialController::loadNib()
{
    ns::View* page = internetTabView();
    if (m_ConnectButton || !page)
        return;
    // The page takes the tab view's content area when it is shown.
    const ns::Rect content = tabviewMain->contentRect();
    const ns::Rect bounds(0, 0, content.size.width, content.size.height);
    // With the split process the connect controls go on the page shown before connecting.
    if (isSplitConnectionProcess())
        page = loadSplitTabView(page, bounds);
    const double top = bounds.size.height;
    // The operator's background and the container of its embedded page lie
    // under every other control of the page.
    viewBackground_ = new ns::View(bounds);
    page->addSubview(viewBackground_);
    viewContainerEmbedInUI_ = new ns::View(bounds);
    page->addSubview(viewContainerEmbedInUI_);

    // What stands left of the graph ends this far from the page's left edge.
    const double graphLeft = bounds.size.width - kPageMargin - kGraphWidth;
    const double leftWidth = graphLeft - 12;
    speedView = new statisticsView(
        ns::Rect(graphLeft, top - kPageMargin - kGraphHeight, kGraphWidth, kGraphHeight), configStore());
    page->addSubview(speedView);

    profileBox_ = new ns::Box(ns::Rect(kPageMargin, top - 100, leftWidth - kPageMargin, 76));
    m_DialConfigList = new ns::ComboBox(ns::Rect(16, 14, 300, 26));
    m_DialConfigList->setEditable(false);
    profileBox_->contentView()->addSubview(m_DialConfigList);
    page->addSubview(profileBox_);

    const ns::Font font = ns::Font::systemFontOfSize(13);
    // The operator's note on the profile in use (the MTS layout) sits under
    // the profile box; the status lines make room for it when it shows.
    APNNotsForMTS_ = ns::TextField::labelWithFrame(ns::Rect(40, top - 130, leftWidth - 40, 20), font);
    page->addSubview(APNNotsForMTS_);
    // The status line: caption, state image, state text and the operator's
    // connected indicator at its end.
    connectStateTitle_ = ns::TextField::labelWithFrame(ns::Rect(40, top - 150, 120, 20), font);
    imageViewForConnectStatus_ = new ns::ImageView(ns::Rect(kStateImageLeft, top - 150, 20, 20));
    imageViewForConnectStatus_->setImage(ns::Image::imageNamed(QStringLiteral("StateOfNotConnection")));
    m_ConnectState = ns::TextField::labelWithFrame(
        ns::Rect(kStateTextLeft, top - 150, leftWidth - kStateTextLeft - 24, 20), font);
    imageViewOfConnectStatesForZudera_ = new ns::ImageView(ns::Rect(leftWidth - 16, top - 148, 16, 16));
    m_ModemAndSimState = ns::TextField::labelWithFrame(ns::Rect(40, top - 180, leftWidth - 40, 20), font);
    for (ns::View* label :
         std::initializer_list<ns::View*>{connectStateTitle_, imageViewForConnectStatus_, m_ConnectState,
                                          imageViewOfConnectStatesForZudera_, m_ModemAndSimState})
        page->addSubview(label);

    loadConnectStateView(page, top - 194);

    m_ConnectButton = new ns::Button(ns::Rect((bounds.size.width - 160) / 2, 40, 160, 40));
    m_ConnectButton->setBezelStyle(ns::RoundedBezelStyle);
    m_ConnectButton->setTarget(this);
    m_ConnectButton->setAction(QStringLiteral("DialOption:"));
    page->addSubview(m_ConnectButton);
    // Above the button while the modem starts.
    tfdDisplayModemStartUpProcess_ = ns::TextField::labelWithFrame(
        ns::Rect(kPageMargin, 84, bounds.size.width - 2 * kPageMargin, 20), font, ns::CenterTextAlignment);
    page->addSubview(tfdDisplayModemStartUpProcess_);
    if (switches_.isDisplayBillboard())
        loadBillboardView(page, bounds);
    loadAdContainerView(page);
    setConnectBtnEnable(false);
}

void DialController::loadConnectStateView(ns::View* page, double top)
{
    // Three columns of three rows between the status lines and the button.
    constexpr double kRow = 18;
    constexpr double kCaptionWidth = 110;
    constexpr double kValueWidth = 100;
    constexpr double kColumn = kCaptionWidth + kValueWidth + 10;
    const ns::Font font = ns::Font::systemFontOfSize(12);
    viewConnectState_ = new ns::View(ns::Rect(40, top - 3 * kRow, 3 * kColumn, 3 * kRow));
    struct Row {
        const char* caption;
        ns::TextField** value;
    };
    const Row rows[] = {
        {"IPAddress:", &m_IPAddress},         {"ConnectTime:", &m_ConnectTime},
        {"Exchanged Data:", &m_TotalData},    {"Send:", &m_FluxForSend},
        {"Receive:", &m_FluxForReceive},      {"SendRate:", &m_SpeedForSend},
        {"ReceiveRate:", &m_SpeedForReceive}, {"Monthly Data:", &monthlyData_},
    };
    connectStateCaptions_.clear();
    // The month's data shows only where the settings ask for it.
    const int shown = int(std::size(rows)) -
                      (configFlag(QStringLiteral("Internet"), QStringLiteral("DisplayMonthlyData")) ? 0 : 1);
    for (int i = 0; i < shown; ++i) {
        const double x = (i % 3) * kColumn;
        const double y = (2 - i / 3) * kRow;
        ns::TextField* caption = ns::TextField::labelWithFrame(ns::Rect(x, y, kCaptionWidth, kRow), font);
        *rows[i].value =
            ns::TextField::labelWithFrame(ns::Rect(x + kCaptionWidth, y, kValueWidth, kRow), font);
        connectStateCaptions_.append({caption, QString::fromLatin1(rows[i].caption)});
        viewConnectState_->addSubview(caption);
        viewConnectState_->addSubview(*rows[i].value);
    }
    page->addSubview(viewConnectState_);
    resetConnectStateFields();
}

// ---- the MTS layout: the status lines below the note, or in their own place ----

void DialController::changeBtnPosForProfileOfAPN()
{
    placeStatusLines(kMtsNoteHeight);
}

void DialController::changeBtnPosForNoProfileOfAPN()
{
    placeStatusLines(0);
}

void DialController::placeStatusLines(double lowered)
{
    if (!m_ConnectButton || !tabviewMain)
        return;
    const double top = tabviewMain->contentRect().size.height;
    connectStateTitle_->setFrameOrigin({40, top - 150 - lowered});
    imageViewForConnectStatus_->setFrameOrigin({kStateImageLeft, top - 150 - lowered});
    m_ConnectState->setFrameOrigin({kStateTextLeft, top - 150 - lowered});
    imageViewOfConnectStatesForZudera_->setFrameOrigin(
        {imageViewOfConnectStatesForZudera_->frame().origin.x, top - 148 - lowered});
    m_ModemAndSimState->setFrameOrigin({40, top - 180 - lowered});
    viewConnectState_->setFrameOrigin({40, top - 194 - viewConnectState_->frame().size.height - lowered});
}
