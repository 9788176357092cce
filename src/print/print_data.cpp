// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/print_data.h"

namespace radioprog {

PrintData PrintDataFromImage(const RadioImage& image, const LanguageTable& language) {
    PrintData data;
    data.language = language;
    for (int n = 0; n < kChannelCount; ++n)
        data.channels[static_cast<std::size_t>(n)] = ChannelToRow(image, language, n);
    LoadFromImage(data.form, image, language);
    return data;
}

}  // namespace radioprog
