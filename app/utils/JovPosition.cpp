#include "app/utils/JovPosition.h"

JovPosition::JovPosition(const QString& positionName, int position, int displayOrder)
    : positionName_(positionName), position_(position), displayOrder_(displayOrder)
{
}
