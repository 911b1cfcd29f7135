#pragma once

#include <optional>
#include <string>

#include "importers/import_dispatch.h"

namespace tesvar {

// The instrument format a file's contents show, with the files beside it: a JCAMP-DX
// file with a data table, the NUTS and Aspect magic numbers, a data file with "procpar"
// (Varian) or "acqus" (Bruker X32) in its folder, names in any letter case. Nothing when
// nothing is recognised or the file cannot be read.
std::optional<FileType> recogniseFileType(const std::string& path);

// What opening a path opens: the "fid" (in any letter case) of a folder that holds one,
// such as a Bruker or Varian experiment folder; any other path as it is.
std::string fileToOpen(const std::string& path);

}  // namespace tesvar
