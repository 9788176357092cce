// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The web page's own texts by name: each is a language row, so the page shows them in the
// language in use like every other text.
#include <string_view>
#include <vector>

namespace radioprog {

struct WebText {
    const char* key;  // the name the page uses
    int row;          // its language row
};

const std::vector<WebText>& WebTexts();

}  // namespace radioprog
