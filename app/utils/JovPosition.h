#pragma once

#include <QString>

// One storage place: its name ("AT_PC", "AT_SIM", "AT_TCARD", "AT_ME"), the
// position code the device server's messages carry and its display order.
class JovPosition
{
public:
    JovPosition() = default;
    JovPosition(const QString& positionName, int position, int displayOrder);

    QString positionName() const { return positionName_; }
    void setPositionName(const QString& name) { positionName_ = name; }
    int positon() const { return position_; }
    void setPosition(int position) { position_ = position; }
    int displayOrder() const { return displayOrder_; }
    void setDisplayOrder(int order) { displayOrder_ = order; }

private:
    QString positionName_;
    int position_ = 0;
    int displayOrder_ = 0;
};
