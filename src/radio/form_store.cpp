// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/form_store.h"

namespace radioprog {

void StoreFormChanges(RadioImage& image, const std::function<void(RadioImage&)>& storeLoaded,
                      const std::function<void(RadioImage&)>& storeEdited) {
    RadioImage asLoaded = image;
    storeLoaded(asLoaded);
    RadioImage asEdited = image;
    storeEdited(asEdited);
    for (std::size_t i = 0; i < image.bytes.size(); ++i)
        if (asEdited.bytes[i] != asLoaded.bytes[i]) image.bytes[i] = asEdited.bytes[i];
}

}  // namespace radioprog
