// The dialog font: its name resolved to an installed face, and its metrics in dialog units.
#pragma once

// Teaches fontconfig the dialog font names the templates ask for ("ＭＳ Ｐゴシック" and its
// Latin name) so that they resolve to the metric-compatible IPAPGothic. Runs before the toolkit
// loads any font; nothing is written to the system's configuration.
void InstallDialogFontAliases();

// Pixels per dialog unit: a horizontal unit is a quarter of the font's average character width,
// a vertical unit an eighth of its height.
struct DialogUnits {
    int avgCharWidth;
    int charHeight;

    int X(int units) const { return (units * avgCharWidth + 2) / 4; }
    int Y(int units) const { return (units * charHeight + 4) / 8; }
};

// Measured on the default screen; requires an initialised toolkit.
DialogUnits MeasureDialogUnits(const char* family, int points);
