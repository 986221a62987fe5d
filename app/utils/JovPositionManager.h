#pragma once

#include "app/utils/JovPosition.h"

#include "platform/ns/Value.h"

#include <QList>

// The storage places in use, in the order they were added, and the
// translation between their names, position codes and display orders.
// Nothing is kept unique: every lookup answers from the first place that fits.
class JovPositionManager
{
public:
    // Field names understood by getValueByKey.
    static constexpr const char* kPositionNameKey = "positoinName";
    static constexpr const char* kPositionKey = "positoin";
    static constexpr const char* kPositionOrderKey = "positoinoOrder";

    void addJovpositionWithPositionName(const QString& name, int order, int position);
    // The live list of places.
    QList<JovPosition>& getAllPositions() { return jovPositions_; }
    int positionCount() const { return int(jovPositions_.size()); }

    // Each answers -1 when no place fits.
    int getPositionByPositionName(const QString& name) const;
    int getPositionByPositionOrder(int order) const;
    int getPositionOrderByPositon(int position) const;
    int getPositionOrderByPositonName(const QString& name) const;
    bool hasPosition(int position) const;

    // Finds the first place whose field named by key equals value and answers
    // its field named by retunKey; -1 when none fits or the pair of names is not
    // one of: name to code, order to code, code to order, name to order.
    int getValueByKey(const QString& key, const ns::Value& value, const QString& retunKey) const;

private:
    QList<JovPosition> jovPositions_;
};
