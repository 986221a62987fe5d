#include "updater/firmControl.h"

#include "platform/ns/Bundle.h"
#include "platform/ns/PropertyList.h"
#include "updater/UpdateControl.h"

#include <QCoreApplication>
#include <QFile>
#include <QtDebug>

#include <cstring>
#include <dlfcn.h>

namespace
{

// The models the maker's platforms serve; the others come from PlatformMap.plist.
const std::pair<const char*, int> kBuiltInModels[] = {
    {"TV-3G Stick", 0},   {"TV-3G Stick S", 0},  {"TV-3G Card", 0},     {"TV-3G Card Express", 0},
    {"TV-EVDO Card", 2},  {"TV-HSPA Mini", 4},   {"TV-HSPA Mini S", 4}, {"TV-HSPA Stick", 4},
    {"TV-HSPA Dock", 4},  {"TV-HSPA+ Stick", 5}, {"TV-HSPA+ Mini", 5},  {"TV-HSPA+ Pocket", 5},
    {"TV-HSPA+ Dock", 5}, {"TV-21 Stick", 5},    {"TV-21 Mini", 5},     {"TV-21 Pocket", 5},
};
static_assert(std::size(kBuiltInModels) == 16);

// The platforms that have a library, by its file name.
const std::pair<const char*, int> kPlatformLibraries[] = {
    {"libtrelvanfw0.so", 0}, {"libtrelvanfw4.so", 4}, {"libtrelvanfw5.so", 5}, {"libtrelvanfw6.so", 6},
    {"libtrelvanfw7.so", 7}, {"libtrelvanfw8.so", 8}, {"libtrelvanfw9.so", 9}, {"libtrelvanfw10.so", 10},
};

const QString kPortLibraryName = QStringLiteral("libtrelvanport.so");
constexpr int kMaxPackagePathBytes = 260;

template <class Function> bool lookUp(void* handle, const char* symbol, Function* function)
{
    void* address = ::dlsym(handle, symbol);
    if (!address) {
        qWarning("%s is missing: %s", symbol, ::dlerror());
        return false;
    }
    *function = reinterpret_cast<Function>(address);
    return true;
}

void* openLibrary(const QString& path)
{
    void* handle = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        qWarning("Cannot load %s: %s", qPrintable(path), ::dlerror());
    return handle;
}

// Runs the call on the main thread with the controller, if it is still there then.
template <class Call> void toController(Call call)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [call] {
            if (pUpdateControl)
                call(*pUpdateControl);
        },
        Qt::QueuedConnection);
}

} // namespace

const QString firmControl::m_progress[kProgressTextCount] = {
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_LOADING_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_ENTER_STATUE_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_CLOSE_AUTORUN_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_RESET_DMP_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_BACKUP_NV_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_ENTER_QUAL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_ARMPRG_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_SKIP_ARMPRG_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_TABLE_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_QCSBL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_OEMSBL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_VERSION_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_EFS_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_RESET_SDP_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_RESTORE_NV_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_CLOSE_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_CLOSE_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_ERROR_FAIL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_SUCCESS_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_ERROR_NOPHONE_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_ERROR_OPENFILEFAIL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_ERROR_CREATENVFAIL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_ERROR_BACKUPFAIL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_ERROR_SWITCHFAIL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_ERROR_HANDFAIL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_ERROR_ALARMPRGFAIL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_ERROR_SKIPFAIL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_ERROR_DLFAIL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_ERROR_RESETFAIL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_ERROR_RESORFAIL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_EFS_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_DBL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_FSBL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_OSBL_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_DSP1_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_DSP2_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_APPS_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_FACTORYTESTS_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_LOADER_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_MASSSTORAGE_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_MODEM_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_NOCDISO_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_SECONDARYBOOT_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_PRODUCTCONFIG_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_DEVICECONFIG_STR"),
    QStringLiteral("CM_UPDATER_UPDATE_FIRMWARE_DOWN_CUSTOMCONFIG_STR"),
};

firmControl::~firmControl()
{
    if (downloadThread_.joinable())
        downloadThread_.join();
    closeLibraries();
}

QString firmControl::librariesFolder()
{
    const QString folder = qEnvironmentVariable("VARNOCK_DOWNLOAD_LIBRARIES");
    return folder.isEmpty() ? QStringLiteral("/usr/lib") : folder;
}

QString firmControl::platformLibraryName(int platform)
{
    for (const auto& [name, number] : kPlatformLibraries)
        if (number == platform)
            return QString::fromLatin1(name);
    return QString();
}

int firmControl::platformInMap(const QString& model, const QByteArray& platformMap)
{
    const std::optional<ns::Value> map = ns::PropertyList::fromData(platformMap);
    if (!map || !map->isDictionary())
        return kUnknownPlatform;
    const QString library = map->toDictionary().value(model).stringValue();
    for (const auto& [name, number] : kPlatformLibraries)
        if (library == QLatin1String(name))
            return number;
    return kUnknownPlatform;
}

int firmControl::getPlatForm(const QString& model) const
{
    for (const auto& [name, number] : kBuiltInModels)
        if (model == QLatin1String(name))
            return number;
    QFile map(
        ns::Bundle::mainBundle().pathForResource(QStringLiteral("PlatformMap"), QStringLiteral("plist")));
    if (!map.open(QIODevice::ReadOnly))
        return kUnknownPlatform;
    return platformInMap(model, map.read(1 << 20));
}

void firmControl::closeLibraries()
{
    if (milib_handle)
        ::dlclose(milib_handle);
    if (portlib_handle)
        ::dlclose(portlib_handle);
    milib_handle = portlib_handle = nullptr;
    bk_download_fun = {};
    ui_download_fun = {};
}

bool firmControl::loadPortLib()
{
    if (portlib_handle)
        ::dlclose(portlib_handle);
    portlib_handle = openLibrary(librariesFolder() + u'/' + kPortLibraryName);
    if (!portlib_handle)
        return false;
    bk_download_fun.NotifyUIChange = getDownloadInfo;
    return lookUp(portlib_handle, "IsOpen", &bk_download_fun.CallbackFun_IsOpened) &&
           lookUp(portlib_handle, "Open", &bk_download_fun.CallbackFun_Open) &&
           lookUp(portlib_handle, "Close", &bk_download_fun.CallbackFun_Close) &&
           lookUp(portlib_handle, "SendData", &bk_download_fun.CallbackFun_SendData) &&
           lookUp(portlib_handle, "ReadData", &bk_download_fun.CallbackFun_ReadData) &&
           lookUp(portlib_handle, "ReadDataWaiting", &bk_download_fun.CallbackFun_ReadDataWaiting);
}

bool firmControl::loadMiLib(const char* path)
{
    if (milib_handle)
        ::dlclose(milib_handle);
    milib_handle = openLibrary(QFile::decodeName(path));
    if (!milib_handle)
        return false;
    return lookUp(milib_handle, "download", &ui_download_fun.download) &&
           lookUp(milib_handle, "initialize", &ui_download_fun.initialize) &&
           lookUp(milib_handle, "registrEvent", &ui_download_fun.registerEvent) &&
           lookUp(milib_handle, "checkPlatform", &ui_download_fun.checkPlatform);
}

bool firmControl::loadDylib(const QString& model)
{
    closeLibraries();
    if (!loadPortLib())
        return false;
    const QString library = platformLibraryName(getPlatForm(model));
    if (library.isEmpty())
        return true;
    return loadMiLib(QFile::encodeName(librariesFolder() + u'/' + library).constData());
}

bool firmControl::StartUpdateFW(const QString& folder, const ns::Dictionary& parameters)
{
    if (downloading_) {
        qWarning("A firmware download still runs");
        return false;
    }
    if (downloadThread_.joinable())
        downloadThread_.join();

    const QString model = parameters.value(QStringLiteral("platform")).stringValue();
    if (!loadDylib(model))
        return false;
    int32_t platform = getPlatForm(model);
    if (platformLibraryName(platform).isEmpty()) {
        qWarning("The device model \"%s\" has no platform library", qPrintable(model));
        return false;
    }
    const QByteArray packagePath = (folder + QStringLiteral("/FirmwareUpdatePackage")).toUtf8();
    if (packagePath.size() >= kMaxPackagePathBytes) {
        qWarning("The firmware package's path is too long");
        return false;
    }
    char path[kMaxPackagePathBytes] = {};
    std::memcpy(path, packagePath.constData(), size_t(packagePath.size()));
    if (ui_download_fun.initialize(path) != 1) {
        qWarning("The download file is not correct.");
        return false;
    }
    if (ui_download_fun.registerEvent(&bk_download_fun) != 1) {
        qWarning("function register not successful");
        return false;
    }
    platform = getPlatForm(model);
    if (ui_download_fun.checkPlatform(&platform) == 0) {
        qWarning("platform is not correct,the dylib is not correct");
        return false;
    }
    downloading_ = true;
    downloadThread_ = std::thread(&firmControl::download, this);
    return true;
}

void firmControl::download()
{
    const int result = ui_download_fun.download(this) == 1 ? 1 : 0;
    downloading_ = false;
    toController([result](UpdateControl& control) { control.UpdateFWResult(result); });
}

extern "C" int getDownloadInfo(const void* record)
{
    if (!record)
        return 1;
    int32_t index = 0, progress = 0;
    std::memcpy(&index, static_cast<const char*>(record) + 8, sizeof index);
    std::memcpy(&progress, static_cast<const char*>(record) + 12, sizeof progress);
    toController([index, progress](UpdateControl& control) { control.UpdateFWProcess(progress, index); });
    return 1;
}
