// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Storing a form into the image so that only what the user changed is written: a byte the
// form cannot show (a value outside its list, a code its field does not read back the same)
// keeps its value until the user changes the control that shows it.
#include <functional>

#include "model/radio_image.h"

namespace radioprog {

// Runs both stores on copies of `image`: `storeLoaded` with the form as it was loaded,
// `storeEdited` with the form as it is now. Only the bytes in which the two results differ
// go into `image`, with their value from `storeEdited`. Opening a form and storing it
// without a change therefore leaves every byte as it was.
void StoreFormChanges(RadioImage& image, const std::function<void(RadioImage&)>& storeLoaded,
                      const std::function<void(RadioImage&)>& storeEdited);

}  // namespace radioprog
