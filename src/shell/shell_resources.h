#pragma once

namespace tesvar {

// Registers the application's resources (the icon and the help pages), which live in
// a static library and are therefore not registered by merely being linked. Safe to
// call any number of times.
void ensureShellResources();

}  // namespace tesvar
