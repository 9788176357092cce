// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/menu_captions.h"

namespace radioprog {

std::string TitleCaption(const std::string& caption) {
    // "关于 radioprog(&A)..." becomes "关于 radioprog": a "(&A)" goes whole, not just its "&".
    std::string text = caption.substr(0, caption.find('\t'));
    for (std::size_t at = text.find("(&"); at != std::string::npos; at = text.find("(&", at)) {
        if (at + 3 < text.size() && text[at + 3] == ')')
            text.erase(at, 4);
        else
            at += 2;
    }
    return PlainCaption(text);
}

std::string MenuItemCaption(const std::string& caption) { return caption.substr(0, caption.find('\t')); }

std::string PlainCaption(const std::string& caption) {
    std::string plain;
    std::string visible = caption.substr(0, caption.find('\t'));
    for (std::size_t i = 0; i < visible.size(); ++i) {
        if (visible[i] == '&' && i + 1 < visible.size()) ++i;  // "&&" shows one "&"
        plain += visible[i];
    }
    while (!plain.empty() && (plain.back() == '.' || plain.back() == ' ')) plain.pop_back();
    return plain;
}

std::string PlainMenuText(const std::string& text) { return PlainCaption(text.substr(0, text.find('('))); }

}  // namespace radioprog
