#pragma once
// The image and the texts, owned by the main frame for the whole run; every editor gets one
// pointer to this block.
#include "model/language_table.h"
#include "model/radio_image.h"

namespace radioprog {

struct Workspace {
    RadioImage image;
    LanguageTable language;
};

}  // namespace radioprog
