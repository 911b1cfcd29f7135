#pragma once

#include <string>
#include <string_view>

#include "importers/import_files.h"

namespace tesvar {

// Reads an NMR FID or spectrum from the text of a JCAMP-DX file: an (X++(Y..Y)) table
// (or one (X++(R..R)) and one (X++(I..I)) table), or NTUPLES with a real and an
// imaginary page, in AFFN, PAC, SQZ, DIF or DUP form with the Y checks verified. Blocks
// without data (the link block of a compound file) and $$ comments are skipped; the
// first block with data is read. The frequency comes from .OBSERVE FREQUENCY, $SFO1 or
// $BF1; the spacing of the abscissa (FIRSTX, LASTX, NPOINTS) gives the sweep width, or
// else $SW_h. A spectrum keeps its frequency axis (in Hz, or ppm times the frequency,
// shifted to .SHIFT REFERENCE or $OFFSET when given) and is not transformed again; a
// complex FID pairs its pages. Anything that breaks the format (a table cut short, a
// failed Y check, a count that disagrees with the data, a missing frequency, an
// over-long line, bytes that are not text) is Refused with the line named.
ImportResult parseJcamp(std::string_view text, int capacity);

// A label's name as the format compares it: without spaces, hyphens, slashes,
// underscores or case ("##.OBSERVE FREQUENCY=" and "##.ObserveFrequency=" are one label,
// "$SW_h" is "$SWH").
std::string jcampLabel(std::string_view name);

// Reads the file at path (NotRead when it cannot be opened) and parses it.
ImportResult readJcamp(const std::string& path, int capacity);

}  // namespace tesvar
