#include "server/TNewOffice.h"

#include <QRegularExpression>

#include "common/EDatabaseError.h"
#include "common/TDatabase.h"
#include "common/TPasswordHash.h"
#include "server/TMenuData.h"
#include "server/TSchema.h"

QString TNewOffice::CheckOptions(const Options& options)
{
    static const QRegularExpression empNo(QStringLiteral("^[0-9A-Za-z]{1,8}$"));
    if (!empNo.match(options.empNo).hasMatch())
        return QStringLiteral("사원번호는 영문자나 숫자 1~8자리여야 합니다: ") + options.empNo;
    if (options.name.trimmed().isEmpty() || options.name.size() > 50)
        return QStringLiteral("사원 이름은 1~50자여야 합니다.");
    if (options.password.size() < TPasswordHash::MinimumLength())
        return QStringLiteral("비밀번호는 %1자 이상이어야 합니다.").arg(TPasswordHash::MinimumLength());
    if (options.title.trimmed().isEmpty() || options.title.size() > 100)
        return QStringLiteral("사무소 이름은 1~100자여야 합니다.");
    return {};
}

void TNewOffice::Create(TDatabase& db, const QString& databaseName, const Options& options)
{
    const QString problem = CheckOptions(options);
    if (!problem.isEmpty())
        throw EDatabaseError(problem);
    const QString hash = TPasswordHash::Make(options.password);
    // The same turn the clients take when they create the schema, so a client
    // starting meanwhile finds either nothing or the whole office.
    const TSchema::Turn turn(db);
    db.StartTransaction();
    try {
        const QStringList present = TSchema::ClientTablesIn(db);
        if (!present.isEmpty())
            throw EDatabaseError(QStringLiteral("'%1' 데이터베이스에는 이미 임대업장 관리의 테이블(%2)이 있어 "
                                                "사무소를 만들지 않았습니다.")
                                     .arg(databaseName, present.first()));
        TSchema::Upgrade(db);
        std::vector<TMenuData::Grant> grants;
        for (const TMenuData::Program& p : TMenuData::AllPrograms())
            grants.push_back({TMenuData::AdministratorLevel, p.programId});
        TMenuData::FillRegistry(db, TMenuData::Codes(options.databaseUser, options.title.trimmed()), grants);
        TMenuData::AddEmployee(db, options.empNo, options.name.trimmed(), hash);
        TMenuData::AssignLevel(db, options.empNo, TMenuData::AdministratorLevel);
        db.Commit();
    } catch (...) {
        db.Rollback();
        throw;
    }
}
