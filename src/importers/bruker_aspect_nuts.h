#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "document/acquisition.h"
#include "importers/import_files.h"

namespace tesvar {

// Aspect files: 24-bit words, most significant byte first, a header of fixed word
// positions and the data from byte 768.
inline constexpr std::uint8_t kAspectMagic[3] = {0x47, 0x84, 0xF5};
inline constexpr std::size_t kAspectDataOffset = 768;

// NUTS files: little-endian, a 4-byte magic, 32-bit floating-point parameters and data
// from byte 1036.
inline constexpr std::uint32_t kNutsMagic = 0x04030201;
inline constexpr std::size_t kNutsDataOffset = 1036;

// The Aspect 48-bit floating-point format: an 11-bit exponent in the fourth byte and the
// top three bits of the fifth, a two's-complement mantissa in the other 37 bits.
double aspectFloat(const std::uint8_t* sixBytes);

// Parse the bytes of a whole file into a staged spectrum, starting from a clean set of
// parameters: NotRead when the magic is wrong, Unusable when the file ends inside its
// header, holds no value or gives parameters that cannot describe a spectrum. Counts
// above the capacity are cut to it and values a short file does not hold are 0.0, with
// a note for the user in both cases.
ImportResult parseAspect(std::span<const std::uint8_t> bytes, int capacity);
ImportResult parseNuts(std::span<const std::uint8_t> bytes, int capacity);

// Read the file at path and parse it; NotRead also when it cannot be opened.
ImportResult readAspect(const std::string& path, int capacity);
ImportResult readNuts(const std::string& path, int capacity);

}  // namespace tesvar
