// SPDX-License-Identifier: GPL-3.0-or-later
// A .dat file as File -> Open reads it, and everything that shows an opened image: the
// channel table, the CSV export, the printout's data and the two forms' load.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "editors/channel_csv.h"
#include "fuzz_support.h"
#include "model/dat_file.h"
#include "print/print_data.h"
#include "radio/channel_cells.h"
#include "radio/dtmf_form.h"
#include "radio/settings_form.h"

using namespace radioprog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The file lives in memory (a regular file to the loader); a disk file would make the
    // fuzzer wait for the disk.
    static const int file = ::memfd_create("radioprog-fuzz.dat", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(file);
    if (::ftruncate(file, 0) != 0 || ::pwrite(file, data, size, 0) != static_cast<ssize_t>(size)) return 0;
    RadioImage image;
    image.ApplyDefaults();
    const RadioImage before = image;
    FileResult opened = OpenDatFile(path, image);
    fuzz::Require(opened.ok == (size >= kDatMinimumSize), "a file opens exactly when it is long enough");
    if (!opened.ok) {
        fuzz::Require(image == before, "a file that cannot be opened changes nothing");
        return 0;
    }
    // The shipped texts, and a table without a file (every classic row empty).
    static const LanguageTable noFile;
    for (const LanguageTable* language : {&fuzz::ShippedLanguage(), &noFile}) {
        for (int n = 0; n < kChannelCount; ++n) ChannelToRow(image, *language, n);
        PrintDataFromImage(image, *language);
        SettingsForm form;
        LoadFromImage(form, image, *language);
        RadioImage stored = image;
        StoreToImage(form, stored, *language);
    }
    DtmfForm dtmf;
    LoadFromImage(dtmf, image);
    std::string csv = ExportChannelsCsv(image);
    RadioImage reimported;
    reimported.ApplyDefaults();
    ImportChannelsCsv(reimported, csv);
    return 0;
}
