#include "screens/ScreenRegistry.h"
#include "screens/na/TfrmNAI010.h"
#include "screens/na/TfrmNAI020.h"
#include "screens/na/TfrmNAI030.h"
#include "screens/na/TfrmNAI040.h"
#include "screens/na/TfrmNAI060.h"
#include "screens/na/TfrmNAI070.h"
#include "screens/na/TfrmNAS050.h"
#include "screens/nb/TfrmNBI010.h"
#include "screens/nb/TfrmNBI020.h"
#include "screens/nb/TfrmNBI030.h"
#include "screens/nb/TfrmNBI040.h"
#include "screens/nb/TfrmNBI050.h"
#include "screens/nb/TfrmNBI060.h"
#include "screens/nb/TfrmNBS060.h"
#include "screens/nb/TfrmNBS040.h"
#include "screens/nb/TfrmNBS070.h"
#include "screens/nc/TfrmNCI010.h"
#include "screens/nc/TfrmNCI020.h"
#include "screens/nc/TfrmNCS040.h"
#include "screens/nc/TfrmNCS050.h"
#include "screens/nc/TfrmNCS060.h"
#include "screens/nc/TfrmNCS090.h"
#include "screens/nd/TfrmNDI010.h"
#include "screens/nd/TfrmNDS020.h"
#include "screens/zz/TfrmZZA010.h"

// One line per screen unit. A program ID without a line here opens no
// screen. The lookup dialogs are not listed: screens create them themselves.
void RegisterScreens()
{
    ScreenRegistry::Register(QStringLiteral("NAI010"), [] { return new TfrmNAI010(); });
    ScreenRegistry::Register(QStringLiteral("NAI020"), [] { return new TfrmNAI020(); });
    ScreenRegistry::Register(QStringLiteral("NAI030"), [] { return new TfrmNAI030(); });
    ScreenRegistry::Register(QStringLiteral("NAI040"), [] { return new TfrmNAI040(); });
    ScreenRegistry::Register(QStringLiteral("NAS050"), [] { return new TfrmNAS050(); });
    ScreenRegistry::Register(QStringLiteral("NAI060"), [] { return new TfrmNAI060(); });
    ScreenRegistry::Register(QStringLiteral("NAI070"), [] { return new TfrmNAI070(); });
    ScreenRegistry::Register(QStringLiteral("NBI010"), [] { return new TfrmNBI010(); });
    ScreenRegistry::Register(QStringLiteral("NBI020"), [] { return new TfrmNBI020(); });
    ScreenRegistry::Register(QStringLiteral("NBI030"), [] { return new TfrmNBI030(); });
    ScreenRegistry::Register(QStringLiteral("NBI040"), [] { return new TfrmNBI040(); });
    ScreenRegistry::Register(QStringLiteral("NBI050"), [] { return new TfrmNBI050(); });
    ScreenRegistry::Register(QStringLiteral("NBI060"), [] { return new TfrmNBI060(); });
    ScreenRegistry::Register(QStringLiteral("NBS060"), [] { return new TfrmNBS060(); });
    ScreenRegistry::Register(QStringLiteral("NBS040"), [] { return new TfrmNBS040(); });
    ScreenRegistry::Register(QStringLiteral("NBS070"), [] { return new TfrmNBS070(); });
    ScreenRegistry::Register(QStringLiteral("NCI010"), [] { return new TfrmNCI010(); });
    ScreenRegistry::Register(QStringLiteral("NCI020"), [] { return new TfrmNCI020(); });
    ScreenRegistry::Register(QStringLiteral("NCS040"), [] { return new TfrmNCS040(); });
    ScreenRegistry::Register(QStringLiteral("NCS050"), [] { return new TfrmNCS050(); });
    ScreenRegistry::Register(QStringLiteral("NCS060"), [] { return new TfrmNCS060(); });
    ScreenRegistry::Register(QStringLiteral("NCS090"), [] { return new TfrmNCS090(); });
    ScreenRegistry::Register(QStringLiteral("NDI010"), [] { return new TfrmNDI010(); });
    ScreenRegistry::Register(QStringLiteral("NDS020"), [] { return new TfrmNDS020(); });
    ScreenRegistry::Register(QStringLiteral("ZZA010"), [] { return new TfrmZZA010(); });
}
