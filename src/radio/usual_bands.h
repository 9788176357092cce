// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bands a radio of this kind covers as delivered: 136-174 and 400-520 MHz. A channel may
// hold a frequency between them (some radios are opened up), but a radio whose band limits
// exclude it refuses the whole write, so imports name such a channel.
#include "radio/channel_values.h"

namespace radioprog {

inline constexpr int kUsualBandLower[2] = {136, 400};
inline constexpr int kUsualBandUpper[2] = {174, 520};

// True for a storable frequency outside both usual bands (between 174 and 400 MHz), judged
// as the band check before a write judges it.
bool InUsualBandGap(FrequencyUnits units);

}  // namespace radioprog
