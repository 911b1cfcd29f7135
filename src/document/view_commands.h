#pragma once

namespace tesvar {

struct SpectrumDocument;
class WindowPort;

// Commands of the command table that change only the document's data or view and then
// repaint the plot.
void undoCommand(SpectrumDocument& doc, WindowPort& window);
void invertCommand(SpectrumDocument& doc, WindowPort& window);
// Shows the whole spectrum; the horizontal scroll position returns to 0.
void fullCommand(SpectrumDocument& doc, WindowPort& window);
void increaseCommand(SpectrumDocument& doc, WindowPort& window);
void decreaseCommand(SpectrumDocument& doc, WindowPort& window);

// The character keys "+" and "-" scale the trace; other characters do nothing.
// Returns true when the key was used.
bool characterKey(SpectrumDocument& doc, WindowPort& window, char key);

}  // namespace tesvar
