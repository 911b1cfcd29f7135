#pragma once

#include <optional>
#include <string>

namespace tesvar {

struct SpectrumDocument;

// The text of a JCAMP-DX file (version 5.01, NTUPLES with a real and an imaginary page,
// ordinates in DIF form with DUP counts and Y checks) holding the document's data: a
// FID as an NMR FID with X in seconds, a spectrum as an NMR SPECTRUM with X in Hz on
// the axis as referenced here (ppm = Hz / .OBSERVE FREQUENCY; $OFFSET and
// .SHIFT REFERENCE give the ppm of the first point). A FID still owing the negation of
// its imaginary parts is written with it done. Single-channel FIDs are written in pairs
// of values like complex ones; $AQ_mod keeps their mode. `date` is written as given
// (YYYY/MM/DD HH:MM:SS).
std::string jcampText(const SpectrumDocument& doc, const std::string& title,
                      const std::string& date);

// Writes the document's spectrum to path, titled with the file's name and dated now;
// an error text for the user, or nothing when the file was written.
std::optional<std::string> exportJcamp(const SpectrumDocument& doc, const std::string& path);

}  // namespace tesvar
