#pragma once

#include "app/config/ConfigManager.h"
#include "app/ui/controller/JOVUIController.h"
#include "connection/StatisticsController/NodeOutline.h"

// The transfer outline: the running connection's time, and its upload and
// download speed and data, as the dial controller's "ConnectStatistics"
// gives the texts. Exactly one exists, published in transferForm.
class transferSource : public JOVUIController, public NodeOutline
{
public:
    explicit transferSource(ConfigManager& store = ConfigManager::sharedConfigManager());
    ~transferSource() override;

    void awakeFromNib() override;

    // "ConnectStatistics": the rows take the texts; a notification without
    // user information changes nothing.
    void connectStatistics(ns::Notification* notification);
    // The row names in the current language; the speed rows read "Upload
    // Speed:" and "Download Speed:" with the module "DiffSpeedWording".
    void init_transfer_view();

protected:
    void registerMessages() override;
    void updateLanguages(ns::Notification* notification) override;

private:
    bool registered_ = false;
};

extern transferSource* transferForm;
