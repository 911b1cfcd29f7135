#include "processing/invert.h"

#include <algorithm>

#include "document/spectrum_document.h"

namespace tesvar {

void invertData(SpectrumDocument& doc)
{
    const int n = std::clamp<std::int32_t>(doc.valueCount, 0, kDataCapacity);
    for (int i = 0; i < n; ++i)
        doc.data[i] = -doc.data[i];
}

}  // namespace tesvar
