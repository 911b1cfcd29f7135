#pragma once

namespace tesvar {

class MainWindow;

// Connects the commands of the Process menu that run the processing dialogs: Apodize
// (40, dialog 143), Fourier transform (41, "FourierDB"), Phase Correction (42, the
// modeless dialog 122, brought forward when already open), the automatic Baseline
// correction (40020), Automatic Phase and Smooth Baseline.
void connectProcessingCommands(MainWindow& window);

}  // namespace tesvar
