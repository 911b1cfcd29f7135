#pragma once

#include <optional>
#include <string>

#include "render/picture_request.h"

namespace tesvar {

struct SpectrumDocument;

// Writes the screen picture (drawn as a repaint draws it) or the printed page (the
// printed picture placed on the page as the printer gets it) as PNG, SVG or PDF. The
// document is left as it was. Returns an error text, or nothing on success.
std::optional<std::string> exportPicture(SpectrumDocument& doc, const ExportRequest& request);

}  // namespace tesvar
