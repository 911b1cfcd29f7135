#pragma once

// Identifiers of the menu items, accelerators and toolbar buttons. They double as the
// values of the interaction mode for the mouse tools.
namespace tesvar::cmd {

inline constexpr int Open = 2;
inline constexpr int Save = 3;
inline constexpr int Exit = 6;
inline constexpr int Undo = 10;
inline constexpr int Copy = 11;
inline constexpr int CopyAlt = 12;
inline constexpr int Paste = 13;
inline constexpr int SetLimits = 20;
inline constexpr int Full = 21;
inline constexpr int ScaleUnits = 23;
inline constexpr int ScaleFactor = 24;
inline constexpr int Increase = 25;
inline constexpr int Decrease = 26;
inline constexpr int Parameters = 30;
inline constexpr int DataPoints = 31;
inline constexpr int Apodize = 40;
inline constexpr int Fourier = 41;
inline constexpr int PhaseCorrection = 42;
inline constexpr int ManualBaseline = 43;
inline constexpr int Invert = 44;
inline constexpr int AutoPhase = 40310;       // Process menu, after Phase Correction
inline constexpr int SmoothBaseline = 40311;  // Process menu, after Baseline correction
inline constexpr int Help = 60;
inline constexpr int About = 70;
inline constexpr int Zoom = 40007;
inline constexpr int Integrate = 40008;
inline constexpr int PeakPicking = 40009;
inline constexpr int EditPeaks = 40012;
inline constexpr int Print = 40014;
inline constexpr int Export = 40300;  // File menu, after Print: the picture as PNG, SVG or PDF
inline constexpr int MoveSpectrum = 40015;
inline constexpr int Toolbar = 40016;  // the toolbar's own control id
inline constexpr int Import = 40019;
inline constexpr int AutoBaseline = 40020;
inline constexpr int Reference = 40022;
inline constexpr int MeasureJ = 40149;
inline constexpr int DeleteIntegrals = 40160;
inline constexpr int IntegralIncrease = 40165;
inline constexpr int IntegralDecrease = 40166;
inline constexpr int IntegralFactorScale = 40167;

// Mouse tool values that are not commands.
inline constexpr int ModeNone = 8989;
inline constexpr int ModeVerticalShift = 1971;

// The commands that need a spectrum: greyed at start-up, enabled by the first load.
// Save is among them: before a load there is nothing a later Open could read back.
inline constexpr int kSpectrumCommands[] = {Save, DataPoints, Parameters, Fourier,
                                            ScaleFactor, Increase, Decrease,
                                            PhaseCorrection, ManualBaseline,
                                            AutoBaseline, Apodize, Invert,
                                            AutoPhase, SmoothBaseline};

}  // namespace tesvar::cmd
