#pragma once

#include <filesystem>
#include <ostream>
#include <string>

namespace tesvar {
struct SpectrumDocument;
}

namespace tesvar::batch {

class BatchUi;
class BatchWindow;

// What the steps of one run share: the document, the stand-ins for the user and the
// main window, and the output streams.
struct BatchSession {
    SpectrumDocument& doc;
    BatchUi& ui;
    BatchWindow& window;
    std::ostream& out;
    std::ostream& err;
    // The folder the run started in. The choosers move the current folder to the chosen
    // file's folder, so every path a step names is taken relative to this one.
    std::filesystem::path startFolder;
    // The matched path during an --each run (empty otherwise): reports written to
    // standard output then name it.
    std::string source;

    std::string fullPath(const std::string& path) const;
    // Prints one of the runner's own messages ("tesvar-batch: TEXT") and returns false,
    // so a step can end with `return s.fail(...)`.
    bool fail(const std::string& text) const;
};

}  // namespace tesvar::batch
