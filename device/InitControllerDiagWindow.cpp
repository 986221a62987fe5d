// The diagnostics window as built: a segmented control over four pages
// (device, computer, SIM, network) of caption and value lines, the radio
// values beside the network lines, the buttons, and the cell window; their
// wording, their skin keys, and the page and window switching.
#include "device/DiagnosticsLines.h"
#include "device/InitController.h"
#include "device/NibControls.h"

#include "app/ui/skin/JOVUIManager.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

namespace
{

constexpr ns::Size kDiagSize{800, 420};
constexpr double kMargin = 20;
constexpr double kSegmentWidth = 130;
constexpr double kSegmentHeight = 24;
constexpr double kRowHeight = 22;
constexpr double kColumnWidth = 385;
constexpr double kCaptionWidth = 180;
constexpr double kValueWidth = kColumnWidth - kCaptionWidth - 8;
constexpr int kRowsPerColumn = 10;
constexpr double kFontSize = 12;

// The pages in the order of the segments: identifier and wording key.
constexpr const char* kPages[] = {"Device", "MacOS", "SIM", "Network"};

// The values the window shows beside the lines of the text file, by page.
struct ExtraLine {
    DiagTab tab;
    const char* captionKey;
    ns::TextField* InitController::*value;
    ns::TextField* InitController::*caption = nullptr;
};

const ExtraLine kExtraLines[] = {
    {DiagTab::SIM, "ICCID:", &InitController::tfdDiagIccid, &InitController::labelDiagIccid},
    {DiagTab::SIM, "SMS center:", &InitController::labelSmsCenter_},
    {DiagTab::SIM, "MSISDN:", &InitController::tfdDiagMSISDN_},
    {DiagTab::Network, "TechnologyFromDiag", &InitController::lalbelTechnology_,
     &InitController::lalbelTechnologyTitle_},
    {DiagTab::Network, "RSCP:", &InitController::tfdDiagRSCP_},
    {DiagTab::Network, "RSSI:", &InitController::tfdDiagRSSI_},
    {DiagTab::Network, "Ec/No:", &InitController::tfdDiagECNO_},
    {DiagTab::Network, "RAC:", &InitController::tfdDiagRAC_},
    {DiagTab::Network, "RXqual-sub:", &InitController::tfdDiagRXqual_},
    {DiagTab::Network, "RXlev-sub:", &InitController::tfdDiagRXlev_},
    {DiagTab::Network, "Frequency:", &InitController::tfdDiagFrequency_},
    {DiagTab::Network, "Channel:", &InitController::tfdDiagChannel_},
};

// Places the rows of one page from the top, in columns of kRowsPerColumn.
class PageLayout
{
public:
    explicit PageLayout(ns::View* page) : page_(page) {}

    // A heading takes a line of its own; a value field follows its caption.
    // The values of the last column reach the page's right edge.
    void add(ns::TextField* caption, ns::TextField* value)
    {
        if (row_ > 0 && row_ % kRowsPerColumn == 0) {
            for (ns::TextField* full : columnValues_)
                full->setFrameSize({kValueWidth, full->frame().size.height});
            columnValues_.clear();
        }
        const double x = kMargin / 2 + (row_ / kRowsPerColumn) * kColumnWidth;
        const double y = page_->frame().size.height - kMargin - (row_ % kRowsPerColumn + 1) * kRowHeight;
        caption->setFrame(ns::Rect(x, y, value ? kCaptionWidth : kColumnWidth, kRowHeight - 4));
        page_->addSubview(caption);
        if (value) {
            const double valueX = x + kCaptionWidth + 8;
            value->setFrame(
                ns::Rect(valueX, y, page_->frame().size.width - valueX - kMargin, kRowHeight - 4));
            value->setSelectable(true);
            page_->addSubview(value);
            columnValues_.append(value);
        }
        ++row_;
    }
    // The next free place, for the buttons under the rows.
    ns::Point nextPlace() const
    {
        return {kMargin / 2 + (row_ / kRowsPerColumn) * kColumnWidth,
                page_->frame().size.height - kMargin - (row_ % kRowsPerColumn + 2) * kRowHeight};
    }

private:
    ns::View* page_;
    int row_ = 0;
    QList<ns::TextField*> columnValues_;
};

ns::TextField* makeField(bool bold = false)
{
    return nib::makeLabel(ns::Rect(), bold ? ns::Font::boldSystemFontOfSize(kFontSize)
                                           : ns::Font::systemFontOfSize(kFontSize));
}

} // namespace

void InitController::registerDiagSelectors()
{
    const std::pair<const char*, void (InitController::*)(ns::Object*)> actions[] = {
        {"showDiagInfo:", &InitController::showDiagInfo},
        {"refreshDiagWindow:", &InitController::refreshDiagWindow},
        {"closeDiagWindow:", &InitController::closeDiagWindow},
        {"OpenDiagInfoInTextEdit:", &InitController::OpenDiagInfoInTextEdit},
        {"showLogs:", &InitController::showLogs},
        {"openAboutURL:", &InitController::openAboutURL},
        {"clickDiagSegmentedTable:", &InitController::clickDiagSegmentedTable},
        {"openRssiLacCiWindow:", &InitController::openRssiLacCiWindow},
        {"closeRssiLacCiWindow:", &InitController::closeRssiLacCiWindow},
        {"sendReport:", &InitController::sendReport},
    };
    for (const auto& [selector, action] : actions)
        registerSelector(QString::fromLatin1(selector), action);
    registerSelector(QStringLiteral("prepareToShowDiagWindow:"), &InitController::prepareToShowDiagWindow);
}

void InitController::buildDiagWindow()
{
    diagWindow_ = nib::makePanel(kDiagSize, ns::TitledWindowMask | ns::ClosableWindowMask);
    m_DiagWindow = diagWindow_.get();
    ns::View* content = m_DiagWindow->contentView();

    const int pages = int(std::size(kPages));
    const double segmentsTop = kDiagSize.height - kMargin / 2 - kSegmentHeight;
    diagSegmentedTable_ = new ns::Matrix(
        ns::Rect((kDiagSize.width - pages * kSegmentWidth) / 2, segmentsTop, pages * kSegmentWidth,
                 kSegmentHeight),
        ns::RadioModeMatrix,
        [] {
            auto cell = std::make_unique<ns::ButtonCell>();
            cell->setButtonType(ns::PushOnPushOffButton);
            cell->setBezelStyle(ns::RegularSquareBezelStyle);
            return cell;
        },
        1, pages);
    diagSegmentedTable_->setCellSize({kSegmentWidth, kSegmentHeight});
    diagSegmentedTable_->setIntercellSpacing({0, 0});
    diagSegmentedTable_->setTarget(this);
    diagSegmentedTable_->setAction(QStringLiteral("clickDiagSegmentedTable:"));
    content->addSubview(diagSegmentedTable_);

    diagTableItemView_ =
        new ns::TabView(ns::Rect(kMargin / 2, 56, kDiagSize.width - kMargin, segmentsTop - 56 - kMargin / 2));
    diagTableItemView_->setTabViewType(ns::NoTabsBezelBorder);
    QList<PageLayout> layouts;
    for (const char* identifier : kPages) {
        auto item = std::make_unique<ns::TabViewItem>(QString::fromLatin1(identifier));
        ns::TabViewItem* page = item.get();
        diagTableItemView_->addTabViewItem(std::move(item));
        page->view()->setFrame(diagTableItemView_->contentRect());
        layouts.append(PageLayout(page->view()));
    }
    content->addSubview(diagTableItemView_);

    // Each page opens with its heading, then its lines in the order of the text file.
    for (const bool headings : {true, false}) {
        for (const DiagLine& line : diagLines()) {
            if (line.heading != headings)
                continue;
            DiagRow row{makeField(line.heading), line.heading ? nullptr : makeField(), line.caption};
            layouts[int(line.tab)].add(row.caption, row.value);
            diagLineRows_.insert(QString::fromLatin1(line.name), row);
        }
    }
    for (const ExtraLine& line : kExtraLines) {
        DiagRow row{makeField(), makeField(), line.captionKey};
        layouts[int(line.tab)].add(row.caption, row.value);
        this->*line.value = row.value;
        if (line.caption)
            this->*line.caption = row.caption;
        diagExtraRows_.append(row);
    }

    // The network page's own buttons: the cell window and the report SMS.
    PageLayout& network = layouts[int(DiagTab::Network)];
    const ns::Point place = network.nextPlace();
    btnOpenRssiLacCiWindow_ = nib::makePushButton(ns::Rect(place.x, place.y - 6, 150, 28), this,
                                                  QStringLiteral("openRssiLacCiWindow:"));
    btnSendReport_ = nib::makePushButton(ns::Rect(place.x + 160, place.y - 6, 150, 28), this,
                                         QStringLiteral("sendReport:"));
    ns::View* networkPage = diagTableItemView_->tabViewItemAtIndex(int(DiagTab::Network))->view();
    networkPage->addSubview(btnOpenRssiLacCiWindow_);
    networkPage->addSubview(btnSendReport_);

    textImeiInDiagnostics_ =
        nib::makeLabel(ns::Rect(kMargin, 18, 260, 20), ns::Font::systemFontOfSize(kFontSize));
    textImeiInDiagnostics_->setSelectable(true);
    content->addSubview(textImeiInDiagnostics_);
    m_OpenDiagInfoWithTEBtn = nib::makePushButton(ns::Rect(kDiagSize.width - 330, 12, 100, 30), this,
                                                  QStringLiteral("OpenDiagInfoInTextEdit:"));
    m_DiagWindowRefreshBtn = nib::makePushButton(ns::Rect(kDiagSize.width - 220, 12, 100, 30), this,
                                                 QStringLiteral("refreshDiagWindow:"));
    m_DiagWindowOKBtn = nib::makePushButton(ns::Rect(kDiagSize.width - 110, 12, 100, 30), this,
                                            QStringLiteral("closeDiagWindow:"));
    for (ns::Button* button : {m_OpenDiagInfoWithTEBtn, m_DiagWindowRefreshBtn, m_DiagWindowOKBtn})
        content->addSubview(button);
    buildRssiLacCiWindow();
}

void InitController::buildRssiLacCiWindow()
{
    rssiLacCiWindow_ = nib::makePanel({260, 140}, ns::TitledWindowMask);
    windowRssiLacCi_ = rssiLacCiWindow_.get();
    ns::View* content = windowRssiLacCi_->contentView();
    const std::pair<const char*, ns::TextField**> lines[] = {
        {"RSSI:", &labelRssiLacCiWindowRssiValue_},
        {"LAC:", &labelRssiLacCiWindowLacValue_},
        {"Cell ID:", &labelRssiLacCiWindowCiValue_},
    };
    double y = 104;
    for (const auto& [key, value] : lines) {
        DiagRow row{makeField(), makeField(), key};
        row.caption->setFrame(ns::Rect(kMargin, y, 80, kRowHeight - 4));
        row.value->setFrame(ns::Rect(kMargin + 88, y, 132, kRowHeight - 4));
        row.value->setSelectable(true);
        content->addSubview(row.caption);
        content->addSubview(row.value);
        *value = row.value;
        diagExtraRows_.append(row);
        y -= kRowHeight;
    }
    btnRssiLacCiWindowOK_ =
        nib::makePushButton(ns::Rect(150, 10, 90, 30), this, QStringLiteral("closeRssiLacCiWindow:"));
    content->addSubview(btnRssiLacCiWindowOK_);
}

void InitController::layOutDiagWindowForCDMA()
{
    ns::View* content = m_DiagWindow->contentView();
    for (ns::View* view : content->subviews())
        view->setHidden(view != m_DiagWindowOKBtn && view != m_DiagWindowRefreshBtn);
    const char* kept[] = {"SoftwareVersion", "DriverVersion", "PCModel", "OSVer", "OSLang"};
    const double buttonsHeight = 56;
    m_DiagWindow->setContentSize({kDiagSize.width, buttonsHeight + std::size(kept) * kRowHeight + kMargin});
    m_DiagWindow->center();
    // The kept lines leave their pages for the window itself, one under another.
    PageLayout lines(content);
    for (const char* name : kept) {
        const DiagRow row = diagLineRows_.value(QString::fromLatin1(name));
        lines.add(row.caption, row.value);
    }
}

ns::TextField* InitController::diagCaptionField(const QString& name) const
{
    return diagLineRows_.value(name).caption;
}

ns::TextField* InitController::diagValueField(const QString& name) const
{
    return diagLineRows_.value(name).value;
}

void InitController::initDiagWindow()
{
    for (const DiagRow& row : diagLineRows_)
        row.caption->setStringValue(localized(QString::fromLatin1(row.captionKey)));
    for (const DiagRow& row : diagExtraRows_)
        row.caption->setStringValue(localized(QString::fromLatin1(row.captionKey)));
    m_DiagWindow->setTitle(localized(QStringLiteral("Diagnostics")));
    const std::pair<ns::Button*, const char*> buttons[] = {
        {m_DiagWindowOKBtn, "OK"},         {m_DiagWindowRefreshBtn, "Refresh"},
        {m_OpenDiagInfoWithTEBtn, "Open"}, {btnOpenRssiLacCiWindow_, "Cell information"},
        {btnSendReport_, "Send report"},
    };
    for (const auto& [button, key] : buttons)
        button->setTitle(localized(QString::fromLatin1(key)));
    for (int segment = 0; segment < diagSegmentedTable_->numberOfColumns(); ++segment)
        diagSegmentedTable_->cellAtRow(0, segment)->setTitle(localized(QString::fromLatin1(kPages[segment])));
}

void InitController::initRssiLacCiWindow()
{
    btnRssiLacCiWindowOK_->setTitle(localized(QStringLiteral("OK")));
}

void InitController::registerDiagSkinOutlets()
{
    const std::pair<const char*, ns::Object*> outlets[] = {
        {"LabelDiagIMSI", diagCaptionField(QStringLiteral("IMSI"))},
        {"DiagIMSI", diagValueField(QStringLiteral("IMSI"))},
        {"LabelDiagSoftwareVersion", diagCaptionField(QStringLiteral("SoftwareVersion"))},
        {"DiagSoftwareVersion", diagValueField(QStringLiteral("SoftwareVersion"))},
        {"wndDiagnostics", m_DiagWindow},
        {"btnDiagWndOK", m_DiagWindowOKBtn},
        {"btnDiagWndRefresh", m_DiagWindowRefreshBtn},
        {"labelDiagIccidInit", labelDiagIccid},
        {"textDiagIMEIInit", textImeiInDiagnostics_},
        {"textDiagIccidInit", tfdDiagIccid},
    };
    for (const auto& [key, outlet] : outlets)
        jovSkinManager->registerController(outlet, QString::fromLatin1(key), true);
    for (const DiagLine& line : diagLines()) {
        if (!line.skinned)
            continue;
        const DiagRow row = diagLineRows_.value(QString::fromLatin1(line.name));
        jovSkinManager->registerController(row.caption, QStringLiteral("labelDiag%1Init").arg(line.name),
                                           true);
        if (row.value)
            jovSkinManager->registerController(row.value, QStringLiteral("textDiag%1Init").arg(line.name),
                                               true);
    }
    initializeBtnsOfView(m_DiagWindow->contentView(), QStringLiteral("DiagnosticsBtns"));
}

void InitController::showDiagInfo(ns::Object*)
{
    m_DiagWindow->makeKeyAndOrderFront(nullptr);
    showDiagnosticInfo();
}

void InitController::refreshDiagWindow(ns::Object*)
{
    showDiagnosticInfo();
}

void InitController::closeDiagWindow(ns::Object*)
{
    nib::endSheet(m_DiagWindow);
}

void InitController::clickDiagSegmentedTable(ns::Object*)
{
    const int segment = diagSegmentedTable_->selectedColumn();
    if (segment >= 0 && segment < int(std::size(kPages)))
        diagTableItemView_->selectTabViewItemWithIdentifier(QString::fromLatin1(kPages[segment]));
}

void InitController::openRssiLacCiWindow(ns::Object*)
{
    windowRssiLacCi_->makeKeyAndOrderFront(nullptr);
}

void InitController::closeRssiLacCiWindow(ns::Object*)
{
    nib::endSheet(windowRssiLacCi_);
}
