#include "tests/server/ServerTestSupport.h"

#include <QDate>
#include <QFile>
#include <QSqlDatabase>

#include "common/EDatabaseError.h"
#include "common/TBusinessClock.h"
#include "common/TQuery.h"
#include "common/TStoredProc.h"
#include "server/TMenuData.h"
#include "server/TSchema.h"
#include "server/TServerProcedures.h"

TServerTestDb::TServerTestDb()
    : m_fresh(m_dir.filePath(QStringLiteral("lease.db"))), m_db(m_fresh.Settings())
{
    m_db.Open();
    TSchema::Upgrade(m_db);
    RegisterServerProcedures();
    m_db.StartTransaction();
    TMenuData::Fill(m_db, QStringLiteral("SELVAR"));
    m_db.Commit();
    Exec("INSERT INTO JA010MS VALUES ('4001', '본관 편의점', 'Y', 'N', 'Y')");
    Exec("INSERT INTO JA010MS VALUES ('4002', '신관 커피전문점', 'Y', 'N', 'Y')");
    Exec("INSERT INTO JA010MS VALUES ('4003', '콘도 기념품점', 'Y', 'N', 'Y')");
    Exec("INSERT INTO JA010MS VALUES ('1001', '본관 프런트', 'Y', 'Y', 'N')");
    Exec("INSERT INTO NA010MS (SHOP_CODE, SHOP_NAME, SHOP_PLACE, SHOP_LEASE_TYPE, SHOP_USED_YN) "
         "VALUES ('4001', '본관 편의점', '01', '01', 'Y')");
    Exec("INSERT INTO NA010MS (SHOP_CODE, SHOP_NAME, SHOP_PLACE, SHOP_LEASE_TYPE, SHOP_USED_YN) "
         "VALUES ('4002', '신관 커피전문점', '02', '01', 'Y')");
    const char* partners = "INSERT INTO VA050MS (C_CODE, C_NAME, BOSS_NAME, REP_PHONE, MOBILE_NO, USE_YN) ";
    Exec(partners + QString("VALUES ('2000000001', '(주)한빛상사', '홍길동', '033-330-1234', '010-1234-5678', 'Y')"));
    Exec(partners + QString("VALUES ('2000000002', '청송유통', '김영희', '033-331-2222', '010-2222-3333', 'Y')"));
}

void TServerTestDb::Exec(const QString& sql)
{
    TQuery q(m_db);
    q.SQL() << sql;
    q.ExecSQL();
}

QString TServerTestDb::Scalar(const QString& sql)
{
    TQuery q(m_db);
    q.SQL() << sql;
    q.Open();
    return q.Eof() ? QString() : q.Fields(0).AsString();
}

void TServerTestDb::CallIn(const QString& procedure, const QMap<QString, QString>& params)
{
    CallOn(m_db, procedure, params);
}

void TServerTestDb::CallOn(TDatabase& db, const QString& procedure, const QMap<QString, QString>& params)
{
    TStoredProc proc(db);
    proc.SetProcedureName(procedure);
    proc.ParamByName("AU_EMP_NO").SetAsString(QStringLiteral("10000001"));
    proc.ParamByName("AU_IP").SetAsString(QStringLiteral("10.1.2.3"));
    for (auto it = params.begin(); it != params.end(); ++it)
        proc.ParamByName(it.key()).SetAsString(it.value());
    proc.ExecProc();
}

QString TServerTestDb::Call(const QString& procedure, const QMap<QString, QString>& params)
{
    return SaveOn(m_db, procedure, params);
}

QString TServerTestDb::SaveOn(TDatabase& db, const QString& procedure, const QMap<QString, QString>& params)
{
    try {
        db.StartTransaction();
        CallOn(db, procedure, params);
        db.Commit();
        return {};
    } catch (const EDatabaseError& e) {
        db.Rollback();
        return e.Message();
    }
}

QString TServerTestDb::Dump()
{
    QStringList out;
    QStringList tables = m_db.SqlDatabase().tables();
    tables.removeIf([](const QString& name) { return name.contains(u'.'); }); // the access layer's own
    tables.sort();
    for (const QString& table : tables) {
        TQuery q(m_db);
        q.SQL() << QStringLiteral("SELECT * FROM %1").arg(table);
        q.Open();
        QStringList rows;
        for (; !q.Eof(); q.Next()) {
            QStringList cells;
            for (int i = 0; i < q.FieldCount(); ++i)
                cells << q.Fields(i).AsString();
            rows << cells.join('|');
        }
        rows.sort();
        out << table << rows;
    }
    return out.join('\n');
}

void TServerTestDb::AddContract(const QString& code, const QString& shop, const QString& start,
                                const QString& end, double rent, double fee, double rate)
{
    TQuery q(m_db);
    q.SQL() << "INSERT INTO NA020MS (CONT_CODE, C_CODE, SHOP_CODE, CONT_START_DATE, CONT_END_DATE, "
               "CONT_DEPOSIT, CONT_LEASE_MONEY, CONT_MANAGE_PAY, CONT_DELAYRATE, MINAP_CHK) "
               "VALUES (:CODE, '2000000001', :SHOP, :START_DATE, :END_DATE, 0, :RENT, :FEE, :RATE, 'Y')";
    q.ParamByName("CODE").SetAsString(code);
    q.ParamByName("SHOP").SetAsString(shop);
    q.ParamByName("START_DATE").SetAsString(start);
    q.ParamByName("END_DATE").SetAsString(end);
    q.ParamByName("RENT").SetAsFloat(rent);
    q.ParamByName("FEE").SetAsFloat(fee);
    q.ParamByName("RATE").SetAsFloat(rate);
    q.ExecSQL();
}

QString TServerTestDb::Month(int offset)
{
    return TBusinessClock::Today().addMonths(offset).toString(QStringLiteral("yyyyMM"));
}

QString TServerTestDb::Day(int monthOffset, int day)
{
    return Month(monthOffset) + QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0'));
}

QString TServerTestDb::ScreenStatement(const QString& name)
{
    QFile file(QStringLiteral(SELVAR_TEST_DATA_DIR "/screen_statements.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString statement;
    bool inside = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.startsWith(QStringLiteral("-- @")))
            inside = line.mid(4).trimmed() == name;
        else if (inside && !line.startsWith(QStringLiteral("--")))
            statement += line + QLatin1Char('\n');
    }
    return statement;
}
