#pragma once

namespace tesvar {

struct SpectrumDocument;

// Negates each of the valueCount doubles of data. Takes no undo snapshot.
void invertData(SpectrumDocument& doc);

}  // namespace tesvar
