#pragma once

#include <optional>
#include <string>

#include "render/picture_request.h"

namespace tesvar {
struct SpectrumDocument;
}

// The runner draws its pictures with Qt in a module of its own, loaded on the first
// export, so that every other step starts and runs without loading a Qt library. The
// module takes the core it draws with from the program that loads it: there is one copy
// of the core, and one document.

// The module's entry point, looked up by this name: writes the picture, or returns false
// with the reason in `error`.
extern "C" bool tesvarBatchExportPicture(tesvar::SpectrumDocument& doc,
                                         const tesvar::ExportRequest& request, std::string& error);

namespace tesvar::batch {

// Writes the picture through the module, loaded the first time it is needed. Returns an
// error text ("Cannot export PATH: ..." when the module cannot be found or loaded), or
// nothing on success.
std::optional<std::string> exportThroughModule(SpectrumDocument& doc, const ExportRequest& request);

}  // namespace tesvar::batch
