#pragma once

#include "app/config/ConfigService.h"
#include "app/ui/controller/JOVUIController.h"
#include "platform/ns/appkit/TableView.h"

#include <QString>
#include <QStringList>

class WebLinkImageView;

namespace ns
{
class Notification;
class View;
} // namespace ns

// The operator's entertainment tab: a list of the operator's pages (the TV
// link, games, music ...) named by the configuration, and the TV link's
// image. The TV link works only while a connection is up; without one the
// user is told to connect first. Built into the main tab view's
// "Entertainment" page when the main window has one.
class EntertainController : public JOVUIController,
                            public ns::TableViewDataSource,
                            public ns::TableViewDelegate
{
public:
    explicit EntertainController(ConfigManager& store = ConfigManager::sharedConfigManager());

    void awakeFromNib() override;

    // The table: an icon and the translated name of each entry; nothing edited.
    int numberOfRowsInTableView(ns::TableView* tableView) override;
    QVariant objectValueForTableColumn(ns::TableView* tableView, ns::TableColumn* column, int row) override;
    bool shouldEditTableColumn(ns::TableView* tableView, ns::TableColumn* column, int row) override;
    // The selected entry's folder opens; the TV entry opens its page (or says
    // why not), games and music open theirs and let the selection go.
    void tableViewSelectionDidChange(const ns::Notification& notification) override;

    // "LoadImageFormURLOver": the link image again from the link list.
    void updateWebLinkImageView(ns::Notification* notification);
    // "WebLinkImageViewDisabled": the alert that a connection is needed.
    void showAlertWindowWhenWebLinkImageViewDisabled(ns::Notification* notification);
    // "SetWebLinkImageViewDisabled" and "SetWebLinkImageViewEnabled": the link
    // image view and the link flag follow the connection.
    void setWebLinkeImageViewDisabled(ns::Notification* notification);
    void setWebLinkeImageViewEnabled(ns::Notification* notification);
    // "TabViewItemWillChange" to "Entertainment": the table takes the keyboard.
    void tabViewItemWillChange(ns::Notification* notification);

    bool webLinkFlag() const { return webLinkFlag_; }

    ns::TableView* entertainTable_ = nullptr;
    WebLinkImageView* webLinkImageView_ = nullptr;

protected:
    void registerMessages() override;
    void initializeController() override;
    void updateLanguages(ns::Notification* notification) override;

private:
    // Builds the page into the main tab view's "Entertainment" item, when there is one.
    void loadNib();
    // The image of the link list's "ZuderaDongle.gif" entry, linked to the TV page.
    void showWebLinkImage();
    void setWebLinkImageViewEnabled(bool enabled);
    // The operator page of module "Internet" under the key, in the browser.
    void openOperatorPage(const QString& key);

    ConfigService switches_{configStore()};
    QStringList entryNames_;
    bool webLinkFlag_ = false;
    bool registered_ = false;
};
