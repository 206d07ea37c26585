#include "screens/ScreenRegistry.h"

// One line per screen unit, e.g.
//   ScreenRegistry::Register("NAI010", [] { return new TfrmNAI010(); });
// A program ID without a line here opens no screen.
void RegisterScreens()
{
}
