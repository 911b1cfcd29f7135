#include "processing/invert.h"

#include "document/spectrum_document.h"

namespace tesvar {

void invertData(SpectrumDocument& doc)
{
    const int n = valuesInUse(doc);
    for (int i = 0; i < n; ++i)
        doc.data[i] = -doc.data[i];
}

}  // namespace tesvar
