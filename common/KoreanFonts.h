#pragma once

#include <QFont>

// Maps the Windows font names the forms ask for ("굴림", "굴림체") to installed
// Korean fonts; without it Qt silently picks a Latin font. Call once at start-up.
void InstallKoreanFontSubstitutes();

// The screens' font ("굴림"). Their column and box widths are pixel widths laid
// out for a 9-point face narrower than the installed Korean fonts, so the size
// is the largest pixel size at which those titles still fit ("사용여부" in 38).
QFont ScreenFont();
