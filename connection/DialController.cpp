#include "connection/DialController.h"

#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/View.h"
#include "platform/ns/appkit/Window.h"

DialController::DialController(ConfigManager& store) : JOVUIController(store)
{
    registerProfileWindowActions();
}

DialController::~DialController() = default;

void DialController::initializeNibResources()
{
    internetView_ = std::make_unique<ns::View>(ns::Rect(0, 0, 560, 300));
    m_DialConfigList = new ns::ComboBox(ns::Rect(20, 250, 300, 26));
    m_DialConfigList->setUsesDataSource(true);
    m_DialConfigList->setDataSource(this);
    m_DialConfigList->setDelegate(this);
    internetView_->addSubview(m_DialConfigList);
    APNNotsForMTS_ =
        ns::TextField::labelWithFrame(ns::Rect(20, 220, 400, 20), ns::Font::systemFontOfSize(12));
    internetView_->addSubview(APNNotsForMTS_);
    buildProfileWindows();
    supportIPv6();
}
