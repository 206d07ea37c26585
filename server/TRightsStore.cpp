#include "server/TRightsStore.h"

#include <QRegularExpression>

#include "server/TMenuData.h"
#include "server/TServerInput.h"

QString TRightsStore::EmpNoOrRefuse(const QString& text) const
{
    static const QRegularExpression valid(QStringLiteral("^[0-9A-Za-z]{1,8}$"));
    if (!valid.match(text).hasMatch())
        TServerInput::Refuse(QStringLiteral("사원번호는 영문자나 숫자 1~8자리여야 합니다: ") + text);
    return text;
}

void TRightsStore::RefuseUnlessEmployee(const QString& empNo)
{
    if (!m_sql.Exists("SELECT 1 FROM ZA010MS WHERE EMP_NO = :EMP_NO", {{"EMP_NO", empNo}}))
        TServerInput::Refuse(QStringLiteral("등록되지 않은 사원번호입니다: ") + empNo);
}

QString TRightsStore::ProgramOrRefuse(const QString& programId)
{
    if (!m_sql.Exists("SELECT 1 FROM ZA050MS WHERE PROJECT_ID = :PROJECT_ID AND PROGRAM_ID = :PROGRAM_ID",
                      {{"PROJECT_ID", TMenuData::ProjectId}, {"PROGRAM_ID", programId}}))
        TServerInput::Refuse(QStringLiteral("등록되지 않은 프로그램입니다: ") + programId);
    return programId;
}

QString TRightsStore::LevelOrRefuse(const QString& text)
{
    return TServerInput::Limited(TServerInput::Required(text, QStringLiteral("권한 등급")), 5,
                                 QStringLiteral("권한 등급"));
}

QString TRightsStore::HashOrRefuse(const QString& text)
{
    if (!text.startsWith(QLatin1String("$argon2id$")))
        TServerInput::Refuse(QStringLiteral("비밀번호는 암호화된 값으로만 저장합니다."));
    return text;
}

int TRightsStore::Administrators()
{
    const QString program = TMenuData::AdministrationProgram().programId;
    return m_sql
        .Value("SELECT COUNT(*) FROM ZA010MS E WHERE E.USE_YN = 'Y' AND E.PASSWORD_HASH IS NOT NULL "
               "AND (EXISTS (SELECT 1 FROM ZA130MS L, ZA140MS G WHERE L.EMP_NO = E.EMP_NO "
               "AND L.PROJECT_ID = :PROJECT_ID AND G.PROJECT_ID = :PROJECT_ID "
               "AND G.PROJECT_LEVEL = L.PROJECT_LEVEL AND G.PROGRAM_ID = :PROGRAM_ID) "
               "OR EXISTS (SELECT 1 FROM ZA150MS X WHERE X.EMP_NO = E.EMP_NO AND X.PROJECT_ID = :PROJECT_ID "
               "AND X.PROGRAM_ID = :PROGRAM_ID AND X.ADD_YN = 'Y')) "
               "AND NOT EXISTS (SELECT 1 FROM ZA150MS X WHERE X.EMP_NO = E.EMP_NO AND X.PROJECT_ID = :PROJECT_ID "
               "AND X.PROGRAM_ID = :PROGRAM_ID AND X.ADD_YN = 'N')",
               {{"PROJECT_ID", TMenuData::ProjectId}, {"PROGRAM_ID", program}})
        .toInt();
}
