// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The .dat file: the 4816-byte image followed by 776 bytes that carry nothing (5592 bytes,
// no header).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/atomic_file.h"
#include "model/radio_image.h"

namespace radioprog {

inline constexpr std::size_t kDatFileSize = 5592;
// The shortest file that holds everything up to the DTMF code block.
inline constexpr std::size_t kDatMinimumSize = 4558;
// The longest: a recovery copy, the .dat bytes followed by its document's path (4096 bytes
// at most), opens as a .dat file. Anything longer is not an image, whatever its name.
inline constexpr std::size_t kDatMaximumSize = kDatFileSize + 4096;

// The name Save uses: ".dat" is appended unless the path already contains ".dat" anywhere
// (case-sensitive), so "radio.DAT" becomes "radio.DAT.dat" and "radio.dat.bak" stays.
std::string DatSaveName(const std::string& chosenPath);

// The bytes of the .dat file of the image (kDatFileSize).
std::vector<std::uint8_t> DatFileBytes(const RadioImage& image);
// Writes the image atomically (see atomic_file.h).
FileResult SaveDatFile(const RadioImage& image, const std::string& path);

// Reads a .dat file into the image. A file that cannot be read, is shorter than 4558 bytes or
// longer than kDatMaximumSize changes nothing. A file of at least 4816 bytes restores the whole image, the DTMF code
// block included; a shorter one restores offsets 0..4557. The port number is taken as stored.
FileResult OpenDatFile(const std::string& path, RadioImage& image);
// The same for the content of a .dat file read elsewhere (standard input); name is how
// messages call it.
FileResult DecodeDatFile(std::span<const std::uint8_t> content, const std::string& name, RadioImage& image);

}  // namespace radioprog
