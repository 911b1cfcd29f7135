#pragma once

namespace tesvar {

class AnalysisHost;
class WindowPort;
struct SpectrumDocument;

// The commands of the Tools and Analyse menus with what the main window does around
// each: the tool they choose for the mouse, the prompt, the dialog they open.
void zoomToolCommand(SpectrumDocument& doc, WindowPort& window);                          // 40007
void integrateToolCommand(SpectrumDocument& doc, WindowPort& window, AnalysisHost& host);  // 40008
void peakToolCommand(SpectrumDocument& doc, WindowPort& window);                          // 40009
void editPeaksCommand(WindowPort& window, AnalysisHost& host);                            // 40012
void moveSpectrumCommand(SpectrumDocument& doc, WindowPort& window);                      // 40015
void referenceToolCommand(SpectrumDocument& doc, WindowPort& window);                     // 40022
void measureJCommand(SpectrumDocument& doc, WindowPort& window, AnalysisHost& host);      // 40149
// Command 40167: dialog 223 again and again until the step lies within 1..10.
void integralFactorCommand(SpectrumDocument& doc, AnalysisHost& host);
void dataPointsCommand(AnalysisHost& host);  // 31

}  // namespace tesvar
