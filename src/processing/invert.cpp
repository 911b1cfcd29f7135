#include "processing/invert.h"

#include "document/spectrum_document.h"
#include "processing/values_within.h"

namespace tesvar {

void invertData(SpectrumDocument& doc)
{
    const int n = valuesWithin(doc.data, doc.valueCount);
    for (int i = 0; i < n; ++i)
        doc.data[i] = -doc.data[i];
}

}  // namespace tesvar
