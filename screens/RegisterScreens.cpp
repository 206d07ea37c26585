#include "screens/ScreenRegistry.h"
#include "screens/na/TfrmNAI010.h"

// One line per screen unit. A program ID without a line here opens no
// screen. The lookup dialogs are not listed: screens create them themselves.
void RegisterScreens()
{
    ScreenRegistry::Register(QStringLiteral("NAI010"), [] { return new TfrmNAI010(); });
}
