// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The question about records whose address bytes are not the radio's layout: written as they
// are, their data would land at other addresses of the radio. Asked when such a file is opened
// and before it is written.
#include <QWidget>

#include "model/language_table.h"
#include "model/radio_image.h"

namespace radioprog {

enum class AddressAnswer { Repair, Keep, Cancel };

// Keep at once when every record has the layout's address bytes; otherwise lists the
// records and asks. withCancel adds Cancel (Esc); without it, Esc keeps the bytes. Before a
// write (withCancel), records that would land over the band limits or outside the radio's
// memory leave only Repair and Cancel.
AddressAnswer AskAboutAddresses(QWidget* parent, const RadioImage& image, const LanguageTable& language,
                                bool withCancel);

}  // namespace radioprog
