#include "app/utils/JovPositionManager.h"

#include <QLatin1StringView>

#include <functional>

void JovPositionManager::addJovpositionWithPositionName(const QString& name, int order, int position)
{
    jovPositions_.append(JovPosition(name, position, order));
}

int JovPositionManager::getPositionByPositionName(const QString& name) const
{
    return getValueByKey(QLatin1StringView(kPositionNameKey), name, QLatin1StringView(kPositionKey));
}

int JovPositionManager::getPositionByPositionOrder(int order) const
{
    return getValueByKey(QLatin1StringView(kPositionOrderKey), order, QLatin1StringView(kPositionKey));
}

int JovPositionManager::getPositionOrderByPositon(int position) const
{
    return getValueByKey(QLatin1StringView(kPositionKey), position, QLatin1StringView(kPositionOrderKey));
}

int JovPositionManager::getPositionOrderByPositonName(const QString& name) const
{
    return getValueByKey(QLatin1StringView(kPositionNameKey), name, QLatin1StringView(kPositionOrderKey));
}

bool JovPositionManager::hasPosition(int position) const
{
    for (const JovPosition& place : jovPositions_) {
        if (place.positon() == position)
            return true;
    }
    return false;
}

int JovPositionManager::getValueByKey(const QString& key, const ns::Value& value,
                                      const QString& retunKey) const
{
    if (key.isNull() || retunKey.isNull()) {
        qWarning("Storage places: a lookup needs both a key and a result name");
        return -1;
    }
    const QLatin1StringView nameKey(kPositionNameKey);
    const QLatin1StringView positionKey(kPositionKey);
    const QLatin1StringView orderKey(kPositionOrderKey);

    std::function<bool(const JovPosition&)> matches;
    if (key == nameKey)
        matches = [name = value.stringValue()](const JovPosition& p) { return p.positionName() == name; };
    else if (key == orderKey && retunKey == positionKey)
        matches = [order = value.intValue()](const JovPosition& p) { return p.displayOrder() == order; };
    else if (key == positionKey && retunKey == orderKey)
        matches = [code = value.intValue()](const JovPosition& p) { return p.positon() == code; };
    else
        return -1;

    const bool answerCode = retunKey == positionKey;
    if (!answerCode && retunKey != orderKey)
        return -1;
    for (const JovPosition& place : jovPositions_) {
        if (matches(place))
            return answerCode ? place.positon() : place.displayOrder();
    }
    return -1;
}
