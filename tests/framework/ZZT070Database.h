#pragma once

#include <QStringList>
#include <vector>

#include "common/EDatabaseError.h"
#include "common/TProcedureRegistry.h"
#include "common/TStoredProc.h"
#include "framework/SharedConnection.h"
#include "tests/common/DatabaseTestSupport.h"

// One call of the test save procedure, as the procedure received it.
struct ZZT070Call
{
    QString status;
    QString shopCode;
    QString shopName;
    QString area;
    QString rentAmt;
    QString remark;
    QString empNo;
    QString ip;
};

// The embedded test database of the test screen: the site table ZZT070MS and
// the save procedure PR_ZZT070_01, which applies each change and refuses the
// site name "오류" with the server's message. The screens share its connection
// while it lives.
class ZZT070Database
{
public:
    static inline const QString RefusalText = QStringLiteral("업장명을 확인하십시오.");

    ZZT070Database()
    {
        db.Exec("CREATE TABLE ZZT070MS (SHOP_CODE VARCHAR(6) PRIMARY KEY, SHOP_NAME VARCHAR(30), "
                "AREA DOUBLE PRECISION, RENT_AMT DOUBLE PRECISION)");
        SharedConnection::SetDatabase(&db.Db());
    }

    ~ZZT070Database() { SharedConnection::SetDatabase(nullptr); }

    void AddShop(const QString& code, const QString& name, double area, double rent)
    {
        TQuery q(db.Db());
        q.SQL() << "INSERT INTO ZZT070MS VALUES (:C, :N, :A, :R)";
        q.ParamByName("C").SetAsString(code);
        q.ParamByName("N").SetAsString(name);
        q.ParamByName("A").SetAsFloat(area);
        q.ParamByName("R").SetAsFloat(rent);
        q.ExecSQL();
    }

    // The table as "code:name:rent" lines in code order.
    QStringList Shops()
    {
        TQuery q(db.Db());
        q.SQL() << "SELECT SHOP_CODE, SHOP_NAME, RENT_AMT FROM ZZT070MS ORDER BY SHOP_CODE";
        q.Open();
        QStringList rows;
        for (; !q.Eof(); q.Next())
            rows << q.Fields(0).AsString() + ":" + q.Fields(1).AsString() + ":" + q.Fields(2).AsString();
        return rows;
    }

    TTempDatabase db;
    std::vector<ZZT070Call> calls;

private:
    // Parameter names as a business screen may declare them: matched to the
    // change columns without regard to case; AREMARK has no column.
    TProcedureRegistry::TScoped m_procedure{
        "PR_ZZT070_01",
        {"ASHOP_CODE", "ashop_name", "AAREA", "ARENT_AMT", "AREMARK", "AU_EMP_NO", "AU_IP", "AEDITSTATUS"},
        [this](TDatabase& database, const TStoredProc& proc) { Save(database, proc); }};

    void Save(TDatabase& database, const TStoredProc& proc)
    {
        auto value = [&proc](const char* name) { return proc.ParamByName(name).AsString(); };
        calls.push_back({value("AEDITSTATUS"), value("ASHOP_CODE"), value("ASHOP_NAME"), value("AAREA"),
                         value("ARENT_AMT"), value("AREMARK"), value("AU_EMP_NO"), value("AU_IP")});
        if (value("ASHOP_NAME") == QStringLiteral("오류"))
            throw EDatabaseError(RefusalText);
        TQuery q(database);
        const QString status = value("AEDITSTATUS");
        if (status == "1")
            q.SQL() << "UPDATE ZZT070MS SET SHOP_NAME = :N, AREA = :A, RENT_AMT = :R WHERE SHOP_CODE = :C";
        else if (status == "2")
            q.SQL() << "INSERT INTO ZZT070MS (SHOP_CODE, SHOP_NAME, AREA, RENT_AMT) VALUES (:C, :N, :A, :R)";
        else
            q.SQL() << "DELETE FROM ZZT070MS WHERE SHOP_CODE = :C";
        q.ParamByName("C").SetAsString(value("ASHOP_CODE"));
        if (status != "3") {
            q.ParamByName("N").SetAsString(value("ASHOP_NAME"));
            q.ParamByName("A").SetAsString(value("AAREA"));
            q.ParamByName("R").SetAsString(value("ARENT_AMT"));
        }
        q.ExecSQL();
    }
};
