// The splash window: its frames are stepped on a thread of its own, at the
// configured rate, and drawn on the GUI thread; when they have run the
// configured number of times, the splash closes and the device side starts.
#include "device/MainController.h"

#include "app/config/ConfigService.h"
#include "app/ui/widgets/NSViewExt.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Animation.h"
#include "platform/ns/appkit/TextField.h"

#include <atomic>

namespace
{

// Counts the frames shown, across every splash of the process; never reset.
std::atomic<int> splashFrameCounter = 0;

// Frames per second when "DelayTime" is 0.
constexpr double kFastestFrameRate = 100;

} // namespace

void MainController::prepareStartupWin()
{
    const ns::Value startup = ConfigService(configStore()).getStartupInfo();
    auto giveUp = [this] {
        imageArray_.clear();
        closeStartupWindow();
    };
    if (!startup.isDictionary()) {
        giveUp();
        return;
    }
    const ns::Dictionary info = startup.toDictionary();
    imageCount_ = info.value(QStringLiteral("ImageCount")).intValue();
    imageArray_.clear();
    const QString resources = ns::Bundle::mainBundle().resourcePath();
    const QString folder = info.value(QStringLiteral("DicName")).toString();
    QStringList files;
    if (!folder.isEmpty()) {
        for (int i = 1; i <= imageCount_; ++i)
            files << resources + '/' + folder + QString::asprintf("/%d.png", i);
    } else {
        imageCount_ = 1;
        files << resources + QStringLiteral("/Startup.PNG");
    }
    for (const QString& file : files) {
        const ns::Image frame = ns::Image::imageWithContentsOfFile(file);
        if (frame.isNull()) {
            qWarning("Splash frame %s cannot be read; no splash", qPrintable(file));
            giveUp();
            return;
        }
        imageArray_.append(frame);
    }

    const QString infoKey = info.value(QStringLiteral("StartWndInfo")).toString();
    if (!infoKey.isEmpty() && tfdStartWndInfo_)
        tfdStartWndInfo_->setStringValue(Map_Name_Item_of_IndexString(infoKey));

    if (wndMain)
        wndMain->setAlphaValue(0);
    if (wndStartup_ && !imageArray_.isEmpty()) {
        const ns::Size size = imageArray_.last().size();
        startupImageView_->setFrameSize(size);
        wndStartup_->setContentSize(size);
        wndStartup_->center();
    }
}

void MainController::beginStartupWin()
{
    const ConfigService config(configStore());
    if (config.getStartupInfo().isNull())
        return;
    if (!wndStartup_ || imageArray_.isEmpty()) {
        endStartupWin();
        return;
    }
    wndStartup_->setAlphaValue(1);
    wndStartup_->orderFront(nullptr);
    const double delay = config.getStartupViewDelayTime();
    if (imageArray_.size() > 1) {
        splashDisplayCount_ = config.getDisplayStartupFlashTimes();
        const double interval = 1.0 / (delay == 0 ? kFastestFrameRate : delay);
        splashThread_ =
            std::jthread([this, interval, &pacer = ns::AnimationFramePacer::current()](std::stop_token stop) {
                while (pacer.waitForNextFrame(interval, stop))
                    if (!refreshImage())
                        return;
            });
        return;
    }
    showSplashFrame(0);
    ns::performSelectorAfterDelay(this, QStringLiteral("endStartupWin:"), nullptr, delay);
}

bool MainController::refreshImage()
{
    const int counter = splashFrameCounter.load();
    const int index = counter % imageCount_;
    if (splashDisplayCount_ * imageCount_ <= counter || index >= imageArray_.size()) {
        splashHandoff_.post([this] { endStartupWin(); });
        return false;
    }
    splashHandoff_.post([this, index] { showSplashFrame(index); });
    splashFrameCounter.fetch_add(1);
    return true;
}

void MainController::showSplashFrame(int index)
{
    if (!startupImageView_ || index >= imageArray_.size())
        return;
    startupImageView_->setImage(imageArray_.at(index));
    startupImageView_->display();
}

void MainController::stopSplashThread()
{
    if (splashThread_.joinable()) {
        splashThread_.request_stop();
        splashThread_.join();
    }
    splashHandoff_.endRun();
}

void MainController::closeStartupWindow()
{
    if (wndStartup_)
        wndStartup_->close();
    // The window takes its views with it.
    wndStartup_.reset();
    startupImageView_ = nullptr;
    tfdStartWndInfo_ = nullptr;
    tfdSoftwareVersionAlias_ = nullptr;
}

void MainController::endStartupWin()
{
    stopSplashThread();
    imageArray_.clear();
    closeStartupWindow();
    if (wndMain)
        wndMain->setAlphaValue(1);
    runDatacard();
}
