#include "connection/EntertainController.h"

#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/controller/UINotifications.h"
#include "connection/Dovure/IconLinkList.h"
#include "connection/Dovure/WebLinkImageView.h"
#include "connection/Dovure/WeblinkUpdateUtilities.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/GraphicsContext.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/ScrollView.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/Window.h"
#include "platform/ns/appkit/Workspace.h"

namespace
{

const QString kEntertainmentPage = QStringLiteral("Entertainment");
const QString kIconColumn = QStringLiteral("Icon");
const QString kNameColumn = QStringLiteral("Name");
const QString kClosedFolder = QStringLiteral("FolderSet.png");
const QString kOpenFolder = QStringLiteral("OpenFolder.png");
// The link list's image of the TV link.
const QString kTVImageRole = QStringLiteral("ZuderaDongle.gif");
// The entries with an action of their own, and the operator pages they open
// (keys of module "Internet").
const QString kTVEntry = QStringLiteral("ZuderaRedidez");
const QString kGamesEntry = QStringLiteral("Games");
const QString kMusicEntry = QStringLiteral("Music");
const QString kTVPageKey = QStringLiteral("OperatorTVPageURL");
const QString kGamesPageKey = QStringLiteral("OperatorGamesPageURL");
const QString kMusicPageKey = QStringLiteral("OperatorMusicPageURL");

// The list stands left, the TV link's image fills the rest of the page.
constexpr double kMargin = 24;
constexpr double kListWidth = 240;
constexpr double kRowHeight = 22;
constexpr double kIconWidth = 28;

// The notifications the controller observes besides the base's life cycle.
const ObserverTableEntry entertainObserverTable[] = {
    {"updateWebLinkImageView:", "LoadImageFormURLOver"},
    {"showAlertWindowWhenWebLinkImageViewDisabled:", "WebLinkImageViewDisabled"},
    {"setWebLinkeImageViewDisabled:", "SetWebLinkImageViewDisabled"},
    {"setWebLinkeImageViewEnabled:", "SetWebLinkImageViewEnabled"},
    {nullptr, nullptr},
};

QString localized(const QString& key)
{
    return Map_Name_Item_of_IndexString(key);
}

// The list, whose first entry (the operator's own) is always drawn highlighted:
// lighter than the selection, so a selected row still stands out.
class EntertainTableView : public ns::TableView
{
public:
    using ns::TableView::TableView;

    void highlightSelectionInClipRect(const ns::Rect& clipRect) override
    {
        if (numberOfRows() > 0 && !isRowSelected(0)) {
            ns::Color::selectedTextBackgroundColor().colorWithAlphaComponent(0.3).setFill();
            ns::rectFillUsingOperation(rectOfRow(0).intersection(clipRect), ns::CompositeSourceOver);
        }
        ns::TableView::highlightSelectionInClipRect(clipRect);
    }
};

} // namespace

EntertainController::EntertainController(ConfigManager& store) : JOVUIController(store)
{
    for (const ns::Value& name : switches_.readEntertainTableConfig().toArray())
        if (name.isString())
            entryNames_ << name.toString();
    registerSelector("updateWebLinkImageView:", &EntertainController::updateWebLinkImageView);
    registerSelector("showAlertWindowWhenWebLinkImageViewDisabled:",
                     &EntertainController::showAlertWindowWhenWebLinkImageViewDisabled);
    registerSelector("setWebLinkeImageViewDisabled:", &EntertainController::setWebLinkeImageViewDisabled);
    registerSelector("setWebLinkeImageViewEnabled:", &EntertainController::setWebLinkeImageViewEnabled);
    registerSelector("tabViewItemWillChange:", &EntertainController::tabViewItemWillChange);
}

void EntertainController::awakeFromNib()
{
    loadNib();
    JOVUIController::awakeFromNib();
}

void EntertainController::loadNib()
{
    if (entertainTable_ || !tabviewMain)
        return;
    const int index = tabviewMain->indexOfTabViewItemWithIdentifier(kEntertainmentPage);
    ns::TabViewItem* item = index < 0 ? nullptr : tabviewMain->tabViewItemAtIndex(index);
    if (!item || !item->view())
        return;
    ns::View* page = item->view();
    const ns::Rect content = tabviewMain->contentRect();
    const double height = content.size.height - 2 * kMargin;

    auto* scroll = new ns::ScrollView(ns::Rect(kMargin, kMargin, kListWidth, height));
    scroll->setHasVerticalScroller(true);
    scroll->setAutohidesScrollers(true);
    scroll->setBorderType(ns::BezelBorder);
    entertainTable_ = new EntertainTableView(ns::Rect(ns::Point(), scroll->frame().size));
    auto icon = std::make_unique<ns::TableColumn>(kIconColumn);
    icon->setDataCell(std::make_unique<ns::ImageCell>());
    icon->setWidth(kIconWidth);
    auto name = std::make_unique<ns::TableColumn>(kNameColumn);
    name->setWidth(kListWidth - kIconWidth - 4);
    entertainTable_->addTableColumn(std::move(icon));
    entertainTable_->addTableColumn(std::move(name));
    entertainTable_->setHeaderVisible(false);
    entertainTable_->setRowHeight(kRowHeight);
    entertainTable_->setDataSource(this);
    entertainTable_->setDelegate(this);
    (void)scroll->setDocumentView(entertainTable_);
    page->addSubview(scroll);

    const double imageLeft = 2 * kMargin + kListWidth;
    webLinkImageView_ =
        new WebLinkImageView(ns::Rect(imageLeft, kMargin, content.size.width - imageLeft - kMargin, height));
    page->addSubview(webLinkImageView_);
}

void EntertainController::registerMessages()
{
    if (registered_)
        return;
    registered_ = true;
    registerNotification(entertainObserverTable);
}

void EntertainController::initializeController()
{
    if (entertainTable_)
        entertainTable_->reloadData();
    showWebLinkImage();
    setWebLinkImageViewEnabled(false);
}

void EntertainController::updateLanguages(ns::Notification*)
{
    if (entertainTable_)
        entertainTable_->reloadData();
}

// ---- the table ----

int EntertainController::numberOfRowsInTableView(ns::TableView*)
{
    return int(entryNames_.size());
}

QVariant EntertainController::objectValueForTableColumn(ns::TableView* tableView, ns::TableColumn* column,
                                                        int row)
{
    if (!column || row < 0 || row >= entryNames_.size())
        return {};
    if (column->identifier() == kIconColumn) {
        const bool open = tableView && tableView->selectedRow() == row;
        return QVariant::fromValue(ns::Image::imageNamed(open ? kOpenFolder : kClosedFolder));
    }
    if (column->identifier() == kNameColumn)
        return localized(entryNames_.at(row));
    return {};
}

bool EntertainController::shouldEditTableColumn(ns::TableView*, ns::TableColumn*, int)
{
    return false;
}

void EntertainController::tableViewSelectionDidChange(const ns::Notification&)
{
    if (!entertainTable_)
        return;
    entertainTable_->reloadData();
    const int row = entertainTable_->selectedRow();
    if (row < 0 || row >= entryNames_.size())
        return;
    const QString& entry = entryNames_.at(row);
    if (entry == kTVEntry) {
        if (webLinkFlag_)
            openOperatorPage(kTVPageKey);
        else
            notificationCenter.postNotificationName(kWebLinkImageViewDisabledNotification, nullptr);
    } else if (entry == kGamesEntry || entry == kMusicEntry) {
        openOperatorPage(entry == kGamesEntry ? kGamesPageKey : kMusicPageKey);
        entertainTable_->deselectAll(nullptr);
    }
}

void EntertainController::openOperatorPage(const QString& key)
{
    const QString page =
        configStore().getConfigurationByModuleAndKey(QStringLiteral("Internet"), key).toString();
    if (!page.isEmpty())
        ns::Workspace::sharedWorkspace().openURL(QUrl(page));
}

// ---- the TV link ----

void EntertainController::showWebLinkImage()
{
    if (!webLinkImageView_)
        return;
    const ns::Dictionary entry =
        WeblinkUpdateUtilities::sharedUpdateManager().iconLinkPropertiesForRole(kTVImageRole);
    const ns::Image image = ns::Image::imageWithContentsOfFile(entry.value(kImageStorePathKey).toString());
    if (!image.isNull())
        webLinkImageView_->setImage(image);
    webLinkImageView_->setWebLinkString(
        configStore().getConfigurationByModuleAndKey(QStringLiteral("Internet"), kTVPageKey).toString());
}

void EntertainController::setWebLinkImageViewEnabled(bool enabled)
{
    if (webLinkImageView_)
        webLinkImageView_->setEnabled(enabled);
    webLinkFlag_ = enabled;
}

void EntertainController::updateWebLinkImageView(ns::Notification*)
{
    showWebLinkImage();
}

void EntertainController::showAlertWindowWhenWebLinkImageViewDisabled(ns::Notification*)
{
    NSRunAlertPanelExt(localized(QStringLiteral("Prompt!")),
                       localized(QStringLiteral("Please try after connecting to internet")),
                       localized(QStringLiteral("OK")), QString());
}

void EntertainController::setWebLinkeImageViewDisabled(ns::Notification*)
{
    setWebLinkImageViewEnabled(false);
}

void EntertainController::setWebLinkeImageViewEnabled(ns::Notification*)
{
    setWebLinkImageViewEnabled(true);
}

void EntertainController::tabViewItemWillChange(ns::Notification* notification)
{
    if (!notification || !entertainTable_ || !entertainTable_->window())
        return;
    if (notification->userInfo().value(kTabViewItemWillChangeNotification).toString() == kEntertainmentPage)
        entertainTable_->window()->makeFirstResponder(entertainTable_);
}
