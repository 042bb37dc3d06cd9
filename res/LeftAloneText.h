#pragma once

// The one message the window shows after an offset, a bulk value or a fill left channels as they
// were: how many, and for each reason which channels, with the band in force.

#include "Band.h"
#include "ChannelBulk.h"

#include <QString>

#include <vector>

namespace res {

// Empty when no channel was left alone.
QString LeftAloneMessage(const std::vector<orx::LeftAlone>& leftAlone, const orx::BandLimits& limits);

} // namespace res
