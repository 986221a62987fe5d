#include "app/ui/skin/UIManager.h"

#include "app/config/ConfigManager.h"
#include "app/config/ConfigService.h"
#include "app/ui/skin/SkinItem.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/Path.h"
#include "platform/ns/PropertyList.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace
{

const QString kSkinInfoName = QStringLiteral("SkinInfo");

// The name of the language folder of the application's token list
// ("English" for English.lproj); empty when there is no token list.
QString languageFolderName()
{
    const QString tokenList =
        ns::Bundle::mainBundle().pathForResource(QStringLiteral("LanguageTokenList"), QStringLiteral("txt"));
    if (tokenList.isEmpty())
        return QString();
    return QFileInfo(QFileInfo(tokenList).path()).completeBaseName();
}

} // namespace

UIManager::UIManager(ConfigManager& store) : store_(store), config_(std::make_unique<ConfigService>(store)) {}

UIManager::UIManager() : UIManager(ConfigManager::sharedConfigManager()) {}

UIManager::~UIManager() = default;

const ConfigService& UIManager::configService() const
{
    return *config_;
}

// ---- loading ----

QString UIManager::descriptionPath(const QString& folder) const
{
    if (configService().getIsSupportMutalsLanguages()) {
        const QString language = languageFolderName();
        const QString variant = folder + QLatin1Char('/') + kSkinInfoName + QLatin1Char('_') + language;
        if (!language.isEmpty() && QFileInfo::exists(variant))
            return variant;
    }
    return folder + QLatin1Char('/') + kSkinInfoName;
}

bool UIManager::loadUIResource(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QString folder = ns::stringByExpandingTildeInPath(path);
    if (!QFileInfo::exists(folder))
        return false;
    std::optional<ns::Dictionary> description = ns::PropertyList::readDictionary(descriptionPath(folder));
    if (!description)
        return false;
    skinInfo_ = std::move(description);
    skinPath_ = folder;
    return true;
}

void UIManager::unloadUIResource()
{
    skinInfo_.reset();
    skinPath_.clear();
}

void UIManager::setSkinInfo(const std::optional<ns::Dictionary>& skinInfo)
{
    if (skinInfo)
        skinInfo_ = skinInfo->copy();
    else
        skinInfo_.reset();
}

void UIManager::setSkinPath(const QString& path)
{
    skinPath_ = path;
}

// ---- registrations ----

const std::vector<UINode>& UIManager::liveNodes() const
{
    std::erase_if(controllerList_, [](const UINode& node) { return !node.controller(); });
    return controllerList_;
}

bool UIManager::isRegistered(const ns::Object* controller) const
{
    const std::vector<UINode>& nodes = liveNodes();
    return std::any_of(nodes.begin(), nodes.end(),
                       [controller](const UINode& node) { return node.controller() == controller; });
}

bool UIManager::registerController(ns::Object* controller, const QString& key, bool needReload)
{
    setFontBeforeRegisting(controller);
    if (!skinInfo_ || !controller || key.isEmpty() || !skinInfo_->value(key).isDictionary() ||
        isRegistered(controller))
        return false;
    controllerList_.emplace_back(controller, key);
    if (needReload)
        updataItem(controller, key);
    return true;
}

bool UIManager::forgetController(const ns::Object* controller)
{
    const auto found =
        std::find_if(controllerList_.begin(), controllerList_.end(),
                     [controller](const UINode& node) { return node.controller() == controller; });
    if (!controller || found == controllerList_.end())
        return false;
    controllerList_.erase(found);
    return true;
}

ns::Object* UIManager::controllerByKey(const QString& key) const
{
    if (key.isEmpty())
        return nullptr;
    for (const UINode& node : liveNodes()) {
        if (node.name() == key)
            return node.controller();
    }
    return nullptr;
}

QList<ns::Object*> UIManager::controllersByKey(const QString& key) const
{
    QList<ns::Object*> controllers;
    if (key.isEmpty())
        return controllers;
    for (const UINode& node : liveNodes()) {
        if (node.name() == key)
            controllers.append(node.controller());
    }
    return controllers;
}

bool UIManager::hasKey(const QString& key) const
{
    return skinInfo_ && skinInfo_->contains(key);
}

bool UIManager::updateItem(ns::Object* controller)
{
    if (!skinInfo_ || !controller)
        return false;
    for (const UINode& node : liveNodes()) {
        if (node.controller() == controller)
            return updataItem(controller, QString(node.name()));
    }
    return false;
}

bool UIManager::updateUI()
{
    if (!skinInfo_ || liveNodes().empty())
        return false;
    // Dressing may add or drop registrations; walk the ones there are now.
    const std::vector<UINode> nodes = controllerList_;
    for (const UINode& node : nodes) {
        if (ns::Object* controller = node.controller())
            updataItem(controller, node.name());
    }
    return true;
}

// ---- alternatives ----

bool UIManager::replaceItem(const QString& key, const ns::Dictionary& item, bool needUpdate)
{
    skinInfo_->setValue(key, item);
    if (needUpdate) {
        if (ns::Object* controller = controllerByKey(key))
            updateItem(controller);
    }
    return true;
}

bool UIManager::setImageForKeyImageID(const QString& key, int imageID, bool needUpdate)
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item)
        return false;
    const ns::Array images = item->value(QStringLiteral("ImageArray")).toArray();
    if (imageID < 0 || imageID >= images.count())
        return false;
    ns::Dictionary changed = item->copy();
    changed.setValue(QStringLiteral("ImageName"), images.at(imageID));
    return replaceItem(key, changed, needUpdate);
}

bool UIManager::setImageForKeyImageName(const QString& key, const QString& imageName, bool needUpdate)
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item)
        return false;
    const ns::Value file = item->value(QStringLiteral("ImageDict")).toDictionary().value(imageName);
    if (file.isNull() || file == item->value(QStringLiteral("ImageName")))
        return false;
    ns::Dictionary changed = item->copy();
    changed.setValue(QStringLiteral("ImageName"), file);
    if (const auto location =
            SkinItem::firstEntry(*item, QStringLiteral("LocationArray"), QStringLiteral("ImageName"), file))
        SkinItem::copyKeys(changed, *location, {QStringLiteral("Left"), QStringLiteral("Bottom")});
    if (SkinItem::flag(*item, QStringLiteral("CutImage"))) {
        if (const auto cut = SkinItem::firstEntry(*item, QStringLiteral("CutInfoArray"),
                                                  QStringLiteral("ImageName"), file))
            SkinItem::copyKeys(changed, *cut,
                               {QStringLiteral("CutLeft"), QStringLiteral("CutTop"),
                                QStringLiteral("CutWidth"), QStringLiteral("CutHeight")});
    }
    return replaceItem(key, changed, needUpdate);
}

bool UIManager::setNewSizeForKey(const QString& key, const QString& itemName, bool needUpdate)
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item)
        return false;
    ns::Dictionary changed = item->copy();
    if (const auto size = SkinItem::firstEntry(*item, QStringLiteral("SizeInfoArray"),
                                               QStringLiteral("ItemName"), itemName))
        SkinItem::copyKeys(changed, *size, {QStringLiteral("Width"), QStringLiteral("Height")});
    return replaceItem(key, changed, needUpdate);
}

bool UIManager::setNewLocationInSuperviewForKey(const QString& key, const QString& itemName, bool needUpdate)
{
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    if (!item)
        return false;
    ns::Dictionary changed = item->copy();
    if (const auto placement = SkinItem::firstEntry(*item, QStringLiteral("LocationInSuperviewArray"),
                                                    QStringLiteral("ItemName"), itemName);
        placement && placement->contains(QStringLiteral("LocationInSuperview")))
        changed.setValue(QStringLiteral("PlacementInSuperviewMethod"),
                         placement->value(QStringLiteral("LocationInSuperview")));
    return replaceItem(key, changed, needUpdate);
}
