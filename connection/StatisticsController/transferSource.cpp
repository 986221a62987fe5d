#include "connection/StatisticsController/transferSource.h"

#include "platform/lindora/Lindora.h"

transferSource* transferForm = nullptr;

namespace
{

// The rows as shown expanded, and the texts of "ConnectStatistics" they take.
enum TransferRow { TransferTime = 1, UploadSpeed = 3, UploadData = 4, DownloadSpeed = 6, DownloadData = 7 };

const struct {
    TransferRow row;
    const char* key;
} kShownTexts[] = {
    {TransferTime, "ConnectTime"},   {UploadSpeed, "UploadSpeed"},  {UploadData, "UploadData"},
    {DownloadSpeed, "DowloadSpeed"}, {DownloadData, "DowloadData"},
};

const ObserverTableEntry transferSourceNotificationTable[] = {
    {"connectStatistics:", "ConnectStatistics"},
    {nullptr, nullptr},
};

QString localized(const char* key)
{
    return Map_Name_Item_of_IndexString(QString::fromLatin1(key));
}

} // namespace

transferSource::transferSource(ConfigManager& store)
    : JOVUIController(store), NodeOutline({
                                  {0, QStringLiteral("Transfer"), QString()},
                                  {1, QStringLiteral("Transfer Time:"), QStringLiteral("00:00:00")},
                                  {1, QStringLiteral("Upload"), QString()},
                                  {2, QStringLiteral("Speed:"), localized("0.00KB/s")},
                                  {2, QStringLiteral("Data:"), localized("0.00KB")},
                                  {1, QStringLiteral("Download"), QString()},
                                  {2, QStringLiteral("Speed:"), localized("0.00KB/s")},
                                  {2, QStringLiteral("Data:"), localized("0.00KB")},
                              })
{
    transferForm = this;
    registerSelector("connectStatistics:", &transferSource::connectStatistics);
    init_transfer_view();
}

transferSource::~transferSource()
{
    if (transferForm == this)
        transferForm = nullptr;
}

void transferSource::awakeFromNib()
{
    buildOutline(tabviewMain, Place::Right);
    JOVUIController::awakeFromNib();
}

void transferSource::registerMessages()
{
    if (registered_)
        return;
    registered_ = true;
    registerNotification(transferSourceNotificationTable);
}

void transferSource::updateLanguages(ns::Notification*)
{
    init_transfer_view();
}

void transferSource::connectStatistics(ns::Notification* notification)
{
    const ns::Dictionary info = notification ? notification->userInfo() : ns::Dictionary();
    if (info.isEmpty())
        return;
    for (const auto& [row, key] : kShownTexts)
        rowNode(row)->setValue(info.value(QString::fromLatin1(key)).stringValue());
    reloadOutline();
}

void transferSource::init_transfer_view()
{
    const bool diffWording =
        configStore().getConfigurationByModule(QStringLiteral("DiffSpeedWording")).boolValue();
    setRowKey(UploadSpeed, diffWording ? QStringLiteral("Upload Speed:") : QStringLiteral("Speed:"));
    setRowKey(DownloadSpeed, diffWording ? QStringLiteral("Download Speed:") : QStringLiteral("Speed:"));
    renameRows();
}
