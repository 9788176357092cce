// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/usual_bands.h"

#include "model/band_limits.h"
#include "model/freq_codec.h"

namespace radioprog {

bool InUsualBandGap(FrequencyUnits units) {
    if (CheckStorableFrequency(units) != FrequencyProblem::None) return false;
    return !InBands(UnitsToBcd(units), kUsualBandLower, kUsualBandUpper);
}

}  // namespace radioprog
