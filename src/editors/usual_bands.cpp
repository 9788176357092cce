#include "editors/usual_bands.h"

#include "model/freq_codec.h"
#include "shell/band_check.h"

namespace radioprog {

bool InUsualBandGap(FrequencyUnits units) {
    if (CheckStorableFrequency(units) != FrequencyProblem::None) return false;
    return !InBands(PackFreqText(GridFrequencyText(units)), kUsualBandLower, kUsualBandUpper);
}

}  // namespace radioprog
