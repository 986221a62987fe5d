#pragma once

#include "platform/ns/Clock.h"
#include "platform/ns/appkit/Application.h"
#include "tests/updater/PackageSite.h"
#include "tests/updater/TestUpdateServer.h"
#include "updater/UpdateControl.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace updater_test
{

bool waitFor(const std::function<bool()>& condition);
// Writes an executable shell script.
bool writeScript(const QString& path, const QByteArray& text);

// Answers a request to quit by refusing it, and remembers it was asked: the
// tests' process goes on.
class QuitRecorder : public ns::ApplicationDelegate
{
public:
    ns::ApplicationTerminateReply applicationShouldTerminate(ns::Application*) override
    {
        asked = true;
        return ns::TerminateCancel;
    }
    bool asked = false;
};

// Varnock's controller in the tests' process, with the real update agent,
// the test update server, the download libraries of the build and its own
// library and runtime folders.
class VarnockTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    const UpdateNib& nib() const { return control_->nib(); }
    QString text(const QString& key) const { return control_->MapLangString(key); }
    QString downloaded(const QString& name) const
    {
        return library_.filePath("Auto_Update/download/") + name;
    }

    void sendUpdate(int mode, const ns::Dictionary& localInfo, bool deviceState = true);
    void sendUpdate(int mode);
    // A manual check of the sample offer, up to the selection window.
    QList<SitePackage> openSelection(const SampleContents& contents = {}, bool deviceState = true);
    // A click on a row's tick box.
    void tick(int row);
    // From the selection window: keeps the chosen packages ticked, starts the
    // update and waits until the download's end has been handled.
    void downloadChosen(bool firmware, bool connectionManager);
    // The sheet on the update window, if any.
    ns::Window* sheet() const { return nib().m_UpdateWnd->attachedSheet(); }
    // Saves the window's picture among the build's grabs.
    void grab(ns::Window* window, const char* name);

    // The identifier of the connection manager for this test's process alone,
    // so that a connection manager that runs beside the tests is not taken for it.
    QString connectionManagerIdentifier() const;

    QTemporaryDir library_, runtime_, site_, bundle_;
    ns::ManualClock clock_;
    TestUpdateServer server_{site_.path()};
    QuitRecorder quit_;
    std::unique_ptr<UpdateControl> control_;
};

} // namespace updater_test
