#pragma once

// Maps the Windows font names the forms ask for ("굴림", "굴림체") to installed
// Korean fonts; without it Qt silently picks a Latin font. Call once at start-up.
void InstallKoreanFontSubstitutes();
