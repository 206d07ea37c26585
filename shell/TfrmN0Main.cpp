#include "shell/TfrmN0Main.h"

#include "screens/ScreenRegistry.h"

TfrmN0Main::TfrmN0Main(TfrmZZD000* dataModule, QWidget* parent)
    : TfrmZZMain(dataModule, parent)
{
    setObjectName(QStringLiteral("frmN0Main"));
    setWindowTitle(QStringLiteral("임대업장 관리"));
    FormCreate();
}

const QStringList& TfrmN0Main::ProgramIds()
{
    static const QStringList ids = {
        QStringLiteral("NAI010"), QStringLiteral("NAI020"), QStringLiteral("NAI030"),
        QStringLiteral("NAI040"), QStringLiteral("NAS050"), QStringLiteral("NBI010"),
        QStringLiteral("NBI020"), QStringLiteral("NBI030"), QStringLiteral("NBI040"),
        QStringLiteral("NBS040"), QStringLiteral("NBI050"), QStringLiteral("NBS060"), QStringLiteral("NBI060"),
        QStringLiteral("NBS070"),
        QStringLiteral("NCI010"), QStringLiteral("NCI020"), QStringLiteral("NCS040"),
        QStringLiteral("NCS050"), QStringLiteral("NCS060"), QStringLiteral("NCS090"),
        QStringLiteral("NDI010"), QStringLiteral("NDS020"), QStringLiteral("ZZA010"),
        QStringLiteral("NAI060"), QStringLiteral("NAI070")};
    return ids;
}

QWidget* TfrmN0Main::CreateScreen(const QString& programId)
{
    if (!ProgramIds().contains(programId)) // exact, case-sensitive
        return nullptr;
    QWidget* screen = ScreenRegistry::Create(programId);
    return screen ? EmbedScreen(screen) : nullptr;
}
