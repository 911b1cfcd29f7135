#pragma once

#include <string>

namespace tesvar {

// What a dialog controller of the analysis needs of a window whose controls are edits
// and a list: the edits' texts, found by control id, and the list's lines.
class EditsView {
public:
    virtual ~EditsView() = default;
    virtual void setText(int editId, const std::string& text) = 0;
    virtual std::string text(int editId) const = 0;
};

class ListView {
public:
    virtual ~ListView() = default;
    virtual void appendLine(const std::string& line) = 0;
    virtual void clearLines() = 0;
};

}  // namespace tesvar
