#pragma once

#include "halvex/features/Feature.h"

#include <memory>
#include <vector>

namespace halvex
{

// Every feature the modem plays, in the order their reports go out.
std::vector<std::unique_ptr<Feature>> createFeatures(Modem& modem);

} // namespace halvex
