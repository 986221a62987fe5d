// TrelvanSnapshot: builds Trelvan's real main window offscreen against the
// simulated modem, waits until the SIM is ready and the network's reports
// have reached the status area, and saves a picture of the window with its
// drawer. It runs on a private copy of the data folder and
// private Apple Event sockets, so it leaves the built Trelvan.app as it was.
// With --pin-locked the simulated modem's SIM asks for its PIN, and the
// picture shows the PIN sheet over the window instead. With --diagnostics
// the pictures are of the diagnostics window, one per page, and of its cell
// window, each saved as the picture's name with "-<page>" before ".png".
// With --connected the window's connect action runs first and the picture
// is taken after a few seconds of the connection (with --tab Internet, its
// figures). With --settings the top-level entries of that property list
// replace those of the private copy's settings, to show an operator's build.
//
//   TrelvanSnapshot [--pin-locked] [--diagnostics] [--connected] [--tab <page>]
//                   [--settings <file.plist>] [picture.png]
#include "app/language/LanguageOperation.h"
#include "app/ui/controller/UINotifications.h"
#include "connection/DialController.h"
#include "device/InitNotifications.h"
#include "main/MainNib.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Drawer.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/WebView.h"
#include "platform/ns/appkit/Window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace
{

constexpr int kSimReadyTimeoutMs = 30000;

// A bundle that shares the built bundle's program and resources but has a
// data folder of its own.
bool makePrivateBundle(const QString& built, const QString& copy)
{
    const QDir resources(built + QStringLiteral("/Contents/Resources"));
    const QString ownResources = copy + QStringLiteral("/Contents/Resources");
    if (!QDir().mkpath(ownResources) || !QDir().mkpath(copy + QStringLiteral("/Contents/MacOS")) ||
        !QFile::copy(built + QStringLiteral("/Contents/Info.plist"),
                     copy + QStringLiteral("/Contents/Info.plist")))
        return false;
    for (const QString& entry : resources.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        if (entry == u"ModemList")
            continue;
        if (!QFile::link(resources.filePath(entry), ownResources + '/' + entry))
            return false;
    }
    const QDir data(resources.filePath(QStringLiteral("ModemList")));
    QDir().mkpath(ownResources + QStringLiteral("/ModemList"));
    for (const QString& file : data.entryList(QDir::Files))
        if (!QFile::copy(data.filePath(file), ownResources + QStringLiteral("/ModemList/") + file))
            return false;
    // Without its update folder the picture's run has no update feature, so
    // it neither launches Varnock nor writes the built bundle's update files.
    for (const QString& folder : data.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (folder != u"Update")
            QFile::link(data.filePath(folder), ownResources + QStringLiteral("/ModemList/") + folder);
    return true;
}

// The top-level entries of the property list at changes put into the
// bundle's settings; false when either cannot be read or written.
bool changeSettings(const QString& bundle, const QString& changes)
{
    const QString path = bundle + QStringLiteral("/Contents/Resources/ModemList/settings.plist");
    std::optional<ns::Dictionary> settings = ns::PropertyList::readDictionary(path);
    const std::optional<ns::Dictionary> entries = ns::PropertyList::readDictionary(changes);
    if (!settings || !entries)
        return false;
    for (const QString& key : entries->keys())
        settings->setValue(key, entries->value(key));
    return ns::PropertyList::writeFile(path, *settings);
}

// A scenario of the simulated modem whose SIM asks for its PIN, written into
// the folder; empty when the bundle's scenario cannot be read or written.
QString writePinLockedScenario(const QString& bundle, const QString& folder)
{
    std::optional<ns::Dictionary> scenario = ns::PropertyList::readDictionary(
        bundle + QStringLiteral("/Contents/Resources/Halvex.app/Contents/Resources/DefaultScenario.plist"));
    if (!scenario)
        return QString();
    ns::Dictionary changed = scenario->deepCopy();
    changed.value(QStringLiteral("SIM"))
        .toDictionary()
        .setValue(QStringLiteral("State"), QStringLiteral("PinLocked"));
    const QString path = folder + QStringLiteral("/PinLocked.plist");
    return ns::PropertyList::writeFile(path, changed) ? path : QString();
}

// The window, with the drawer beside it when it is open.
QImage picture(ns::Window* window, ns::Drawer* drawer)
{
    const QImage main = window->grab().toImage();
    ns::Window* side = drawer && drawer->state() == ns::DrawerOpenState ? drawer->window() : nullptr;
    if (!side)
        return main;
    const QImage beside = side->grab().toImage();
    const int gap = 2;
    QImage both(main.width() + gap + beside.width(), std::max(main.height(), beside.height()),
                QImage::Format_ARGB32);
    both.fill(QColor(0xd9, 0xde, 0xe6));
    QPainter painter(&both);
    painter.drawImage(0, 0, main);
    // The drawer comes out below the top of the window by its leading offset.
    const int top = int(window->frame().maxY() - side->frame().maxY());
    painter.drawImage(main.width() + gap, std::max(0, top), beside);
    return both;
}

// Opens the diagnostics window from the menu and saves a picture of each of
// its pages and of its cell window; false when one cannot be written.
bool saveDiagnosticsPictures(MainNib& nib, const QString& output)
{
    nib.mainController().menuItemForKey(QStringLiteral("Diagnostics"))->performAction();
    InitController& init = nib.initController();
    QString stem = output;
    stem.chop(QFileInfo(output).suffix().size() + 1);
    bool saved = true;
    for (int page = 0; page < init.diagSegmentedTable_->numberOfColumns(); ++page) {
        init.diagSegmentedTable_->selectCellAtRow(0, page);
        init.clickDiagSegmentedTable(init.diagSegmentedTable_);
        QTest::qWait(50);
        const QString name =
            stem + '-' + init.diagTableItemView_->selectedTabViewItem()->identifier() + ".png";
        saved &= init.m_DiagWindow->grab().toImage().save(name);
        std::printf("%s\n", qPrintable(name));
    }
    init.openRssiLacCiWindow(nullptr);
    QTest::qWait(50);
    saved &= init.windowRssiLacCi_->grab().toImage().save(stem + "-Cell.png");
    std::printf("%s\n", qPrintable(stem + "-Cell.png"));
    return saved;
}

// Draws the sheet over the window's picture where it hangs: centred below
// the window's title bar.
void drawSheet(QImage& image, ns::Window* window, ns::Window* sheet)
{
    const QImage drawn = sheet->grab().toImage();
    QPainter painter(&image);
    const int x = int(sheet->frame().minX() - window->frame().minX());
    const int y = int(window->frame().maxY() - sheet->frame().maxY());
    painter.drawImage(std::clamp(x, 0, std::max(0, image.width() - drawn.width())), std::max(0, y), drawn);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApplication(argc, argv);
    QStringList arguments = qtApplication.arguments().mid(1);
    const bool pinLocked = arguments.removeAll(QStringLiteral("--pin-locked")) > 0;
    const bool diagnostics = arguments.removeAll(QStringLiteral("--diagnostics")) > 0;
    const bool connect = arguments.removeAll(QStringLiteral("--connected")) > 0;
    // "--tab Internet" shows that page of the main window instead of the home page.
    QString tab;
    if (const int at = arguments.indexOf(QStringLiteral("--tab")); at >= 0 && at + 1 < arguments.size()) {
        tab = arguments.takeAt(at + 1);
        arguments.removeAt(at);
    }
    QString settingsChanges;
    if (const int at = arguments.indexOf(QStringLiteral("--settings"));
        at >= 0 && at + 1 < arguments.size()) {
        settingsChanges = arguments.takeAt(at + 1);
        arguments.removeAt(at);
    }
    const QString output = arguments.value(0, QStringLiteral("main-window.png"));

    QTemporaryDir private_;
    const QString bundle = private_.filePath(QStringLiteral("Trelvan.app"));
    if (!makePrivateBundle(QStringLiteral(TRELVAN_APP_DIR), bundle)) {
        std::fprintf(stderr, "TrelvanSnapshot: cannot copy %s\n", TRELVAN_APP_DIR);
        return 1;
    }
    if (!settingsChanges.isEmpty() && !changeSettings(bundle, settingsChanges)) {
        std::fprintf(stderr, "TrelvanSnapshot: cannot apply the settings of %s\n",
                     qPrintable(settingsChanges));
        return 1;
    }
    ns::Bundle::setMainBundlePath(bundle);
    const QString runtime = private_.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("TRELVAN_RUNTIME_DIR", runtime.toUtf8());
    if (pinLocked) {
        // The device server Trelvan starts plays the scenario named here.
        const QString scenario = writePinLockedScenario(QStringLiteral(TRELVAN_APP_DIR), private_.path());
        if (scenario.isEmpty()) {
            std::fprintf(stderr, "TrelvanSnapshot: cannot write the PIN-locked scenario\n");
            return 1;
        }
        qputenv("HALVEX_SCENARIO", QFile::encodeName(scenario));
    }

    LanguageOperation::sharedLanguageOperation().initLanguage();
    bool simReady = false;
    bool signalShown = false;
    ns::NotificationCenter& center = ns::NotificationCenter::defaultCenter();
    ns::Object* observer = center.addObserverForName(kSimReadyNotification, nullptr,
                                                     [&](const ns::Notification&) { simReady = true; });
    // The signal is the last of the network's reports after the SIM is
    // ready: once it shows, so do the network type and the operator names.
    ns::Object* signalObserver =
        center.addObserverForName(kSingalStrength, nullptr, [&](const ns::Notification& notification) {
            signalShown = simReady && notification.userInfo().value(kSingalStrength).intValue() > 0;
        });

    MainNib nib;
    nib.awakeFromNib();
    ns::Application::sharedApplication().finishLaunching();
    MainController& controller = nib.mainController();
    ns::Window* pinSheet = nib.initController().m_InitPinWindow;
    const bool ready = pinLocked ? QTest::qWaitFor([&] { return pinSheet->isVisible(); }, kSimReadyTimeoutMs)
                                 : QTest::qWaitFor([&] { return simReady; }, kSimReadyTimeoutMs) &&
                                       QTest::qWaitFor([&] { return signalShown; }, kSimReadyTimeoutMs);
    center.removeObserver(observer);
    center.removeObserver(signalObserver);
    // Let the window draw what the device's state changed.
    QTest::qWait(200);

    // A web view draws nothing offscreen: the home page is checked through its script instead.
    if (ns::WebView* home = controller.localWebView()) {
        QString heading;
        bool answered = false;
        home->evaluateJavaScript(
            QStringLiteral("document.querySelector('h1') ? document.querySelector('h1').textContent : ''"),
            [&](const QVariant& value) {
                heading = value.toString();
                answered = true;
            });
        if (QTest::qWaitFor([&] { return answered; }, kSimReadyTimeoutMs))
            std::printf("home page: \"%s\"\n", qPrintable(heading));
    }
    if (!tab.isEmpty()) {
        controller.notifyChangeTabViewItem(tab);
        QTest::qWait(200);
    }
    if (connect && ready) {
        DialController& dial = nib.dialController();
        dial.DialOption(nullptr);
        if (!QTest::qWaitFor([&] { return dial.connectStatus() == DialControlling::Connected; },
                             kSimReadyTimeoutMs))
            std::fprintf(stderr, "TrelvanSnapshot: the connection did not come up\n");
        QTest::qWait(3000);
    }
    QImage image = picture(controller.wndMain, controller.drawerMain);
    if (pinLocked)
        drawSheet(image, controller.wndMain, pinSheet);
    const bool saved = diagnostics ? saveDiagnosticsPictures(nib, output) : image.save(output);
    // A connected program refuses to quit with a question no one answers here.
    if (DialController& dial = nib.dialController(); dial.connectStatus() == DialControlling::Connected) {
        dial.DialOption(nullptr);
        if (!QTest::qWaitFor([&] { return dial.connectStatus() == DialControlling::Idle; },
                             kSimReadyTimeoutMs))
            std::fprintf(stderr, "TrelvanSnapshot: the connection did not end\n");
    }
    ns::Application::sharedApplication().terminate(nullptr);
    if (!ready)
        std::fprintf(stderr, pinLocked ? "TrelvanSnapshot: the PIN sheet did not open\n"
                                       : "TrelvanSnapshot: the SIM or the network did not become ready; the "
                                         "picture shows the window before\n");
    if (!saved) {
        std::fprintf(stderr, "TrelvanSnapshot: cannot write %s\n", qPrintable(output));
        return 1;
    }
    if (!diagnostics)
        std::printf("%s\n", qPrintable(output));
    return ready ? 0 : 2;
}
