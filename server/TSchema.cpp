#include "server/TSchema.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QStringList>
#include <optional>
#include <vector>

#include "common/EDatabaseError.h"
#include "common/TDatabase.h"
#include "common/TQuery.h"

namespace {

// Who changed a row last: written by the stored procedures.
#define AUDIT_COLUMNS "U_EMP_NO VARCHAR(8), U_IP VARCHAR(15), U_SYS_DATE TIMESTAMP"

// Version 1: every table the screens and the procedures read or write.
const std::vector<const char*> kVersion1 = {
    // A common code: HEAD groups the codes ('NA001' arcade, 'NA002' lease type,
    // 'NA003' amount kind, 'Z9999' database name for the window title).
    "CREATE TABLE ZX010MS (HEAD VARCHAR(5) NOT NULL, DETAIL VARCHAR(30) NOT NULL, "
    "DETAIL_NAME VARCHAR(100), PRIMARY KEY (HEAD, DETAIL))",

    // A top-level menu of a project (executable name); DISPLAY_SEQ <= 0 hides it.
    "CREATE TABLE ZA040MS (PROJECT_ID VARCHAR(20) NOT NULL, MENU_ID VARCHAR(10) NOT NULL, "
    "MENU_NAME VARCHAR(50), DISPLAY_SEQ INTEGER DEFAULT 0 NOT NULL, PRIMARY KEY (PROJECT_ID, MENU_ID))",

    // A program entry under a menu; DISPLAY_SEQ <= 0 hides it.
    "CREATE TABLE ZA050MS (PROJECT_ID VARCHAR(20) NOT NULL, MENU_ID VARCHAR(10) NOT NULL, "
    "PROGRAM_ID VARCHAR(10) NOT NULL, PROGRAM_NAME VARCHAR(50), DISPLAY_SEQ INTEGER DEFAULT 0 NOT NULL, "
    "PRIMARY KEY (PROJECT_ID, MENU_ID, PROGRAM_ID))",

    // An employee's rights level in a project.
    "CREATE TABLE ZA130MS (EMP_NO VARCHAR(8) NOT NULL, PROJECT_ID VARCHAR(20) NOT NULL, "
    "PROJECT_LEVEL VARCHAR(5) NOT NULL, PRIMARY KEY (EMP_NO, PROJECT_ID))",

    // A program granted to a rights level of a project.
    "CREATE TABLE ZA140MS (PROJECT_ID VARCHAR(20) NOT NULL, PROJECT_LEVEL VARCHAR(5) NOT NULL, "
    "PROGRAM_ID VARCHAR(10) NOT NULL, PRIMARY KEY (PROJECT_ID, PROJECT_LEVEL, PROGRAM_ID))",

    // A per-employee exception: ADD_YN 'Y' adds a program, 'N' removes it
    // (both may exist; the removal wins).
    "CREATE TABLE ZA150MS (EMP_NO VARCHAR(8) NOT NULL, PROJECT_ID VARCHAR(20) NOT NULL, "
    "PROGRAM_ID VARCHAR(10) NOT NULL, ADD_YN VARCHAR(1) NOT NULL, "
    "PRIMARY KEY (EMP_NO, PROJECT_ID, PROGRAM_ID, ADD_YN))",

    // A business site of the resort (site master); leasable shops have codes
    // beginning with 4. ETC_FLAG 'Y' marks a site that may become a shop.
    "CREATE TABLE JA010MS (UPJANG_CODE VARCHAR(6) NOT NULL PRIMARY KEY, UPJANG_NAME VARCHAR(50), "
    "USE_YN VARCHAR(1), DIRECT_MANAGE_YN VARCHAR(1), ETC_FLAG VARCHAR(1))",

    // A leasable shop: a site of JA010MS with its leasing data. SHOP_PLACE is the
    // arcade code (head 'NA001'), SHOP_LEASE_TYPE the lease type (head 'NA002').
    "CREATE TABLE NA010MS (SHOP_CODE VARCHAR(6) NOT NULL PRIMARY KEY, SHOP_NAME VARCHAR(50), "
    "SHOP_PLACE VARCHAR(10), SHOP_POSITION VARCHAR(50), SHOP_LEASE_TYPE VARCHAR(10), "
    "SHOP_ITEM VARCHAR(30), SHOP_USED_YN VARCHAR(1), SHOP_DIRECT_YN VARCHAR(1), "
    "SHOP_PHONE VARCHAR(20), SHOP_REMARK VARCHAR(200), " AUDIT_COLUMNS ")",

    // A lease contract between a trading partner and a shop. Active while
    // CONT_CANCEL_DATE is NULL. MINAP_CHK 'Y' keeps its arrears under management.
    "CREATE TABLE NA020MS (CONT_CODE VARCHAR(6) NOT NULL PRIMARY KEY, C_CODE VARCHAR(10) NOT NULL, "
    "SHOP_CODE VARCHAR(6) NOT NULL, CONT_START_DATE VARCHAR(8), CONT_END_DATE VARCHAR(8), "
    "CONT_CANCEL_DATE VARCHAR(8), CONT_DEPOSIT DOUBLE PRECISION, CONT_LEASE_MONEY DOUBLE PRECISION, "
    "CONT_MANAGE_PAY DOUBLE PRECISION, CONT_SHOP_TYPE VARCHAR(20), CONT_PENALTY DOUBLE PRECISION, "
    "CONT_DELAYRATE DOUBLE PRECISION, CONT_SIZE1 DOUBLE PRECISION, CONT_SIZE2 DOUBLE PRECISION, "
    "CONT_PERMIT VARCHAR(20), CONT_NO VARCHAR(15), PERMIT_DATE VARCHAR(8), CONT_REMARK VARCHAR(200), "
    "CONT_CANCEL_REM VARCHAR(200), CONT_DATE VARCHAR(8), BALANCE_DATE VARCHAR(8), "
    "FIRST_DEPOSIT DOUBLE PRECISION, LAST_DEPOSIT DOUBLE PRECISION, MINAP_CHK VARCHAR(1), "
    "CONT_UPJANGNAME VARCHAR(20), MANAGE_YN VARCHAR(1), " AUDIT_COLUMNS ")",

    // A trading partner (tenant) with its representative.
    "CREATE TABLE VA050MS (C_CODE VARCHAR(10) NOT NULL PRIMARY KEY, C_NAME VARCHAR(50), "
    "BOSS_NAME VARCHAR(50), REP_PHONE VARCHAR(20), MOBILE_NO VARCHAR(20), USE_YN VARCHAR(1))",

    // A payment schedule line: what a contract owes for one amount code
    // ('01' deposit, '02' rent, '03' management fee) in one month, its due date
    // and the yearly late-fee rate in percent.
    "CREATE TABLE NB010MS (CONT_CODE VARCHAR(6) NOT NULL, AMT_CODE VARCHAR(2) NOT NULL, "
    "NAPIP_MONTH VARCHAR(6) NOT NULL, NAPIP_DATE VARCHAR(8), NAPIP_AMT DOUBLE PRECISION, "
    "DELAY_RATE DOUBLE PRECISION, " AUDIT_COLUMNS ", PRIMARY KEY (CONT_CODE, AMT_CODE, NAPIP_MONTH))",

    // A receipt against a schedule line. NAPIP_GUBUN '1' pays the amount, '2' the
    // late fee. NAPIP_DATE is the due date of the line it pays (the closing
    // matches receipts to lines by it). SLIP_CODE is the suspense voucher number
    // (8) + line (2) when the money came from a voucher. The table has no
    // SLIP_NO or SLIP_SEQ_NO column: the voucher list's look-up relies on that.
    "CREATE TABLE NB020MS (CONT_CODE VARCHAR(6) NOT NULL, AMT_CODE VARCHAR(2) NOT NULL, "
    "NAPIP_MONTH VARCHAR(6) NOT NULL, NAPIP_DATE VARCHAR(8), NAPIP_GUBUN VARCHAR(1) NOT NULL, "
    "IPGUM_DATE VARCHAR(8) NOT NULL, IPGUM_SEQ INTEGER NOT NULL, IPGUM_AMT DOUBLE PRECISION, "
    "SLIP_CODE VARCHAR(10), REMARKS VARCHAR(100), " AUDIT_COLUMNS ", "
    "PRIMARY KEY (CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_GUBUN, IPGUM_DATE, IPGUM_SEQ))",

    // A monthly closing line: per contract, amount code and month the balances
    // carried in (LAST_*), the month's billing and receipts, and the balances
    // carried out (THIS_*). A month is closed when it has at least one row.
    "CREATE TABLE NB030MS (CONT_CODE VARCHAR(6) NOT NULL, AMT_CODE VARCHAR(2) NOT NULL, "
    "NAPIP_MONTH VARCHAR(6) NOT NULL, NAPIP_DATE VARCHAR(8), LAST_MINAPAMT DOUBLE PRECISION, "
    "LAST_DELAYAMT DOUBLE PRECISION, NEXT_DATE VARCHAR(8), NAPIP_AMT DOUBLE PRECISION, "
    "IPGUM_AMT DOUBLE PRECISION, IPGUM_DELAYAMT DOUBLE PRECISION, THIS_MINAPAMT DOUBLE PRECISION, "
    "THIS_MINAPDEALYAMT DOUBLE PRECISION, THIS_MONTHDELAYAMT DOUBLE PRECISION, " AUDIT_COLUMNS ", "
    "PRIMARY KEY (CONT_CODE, AMT_CODE, NAPIP_MONTH))",

    // A contract's billing of one month: demand date and amount per kind
    // (1 deposit, 2 rent, 3 management fee); '99999999' marks no demand.
    "CREATE TABLE NB010DT (CONT_CODE VARCHAR(6) NOT NULL, CONT_MONTH VARCHAR(6) NOT NULL, "
    "DEMAND_DATE1 VARCHAR(8), DEMAND_MONEY1 DOUBLE PRECISION, DEMAND_DATE2 VARCHAR(8), "
    "DEMAND_MONEY2 DOUBLE PRECISION, DEMAND_DATE3 VARCHAR(8), DEMAND_MONEY3 DOUBLE PRECISION, "
    AUDIT_COLUMNS ", PRIMARY KEY (CONT_CODE, CONT_MONTH))",

    // A management-fee bill of a contract for one month and billing date, with
    // its utility breakdown, supply price and tax.
    "CREATE TABLE NB020DT (CONT_CODE VARCHAR(6) NOT NULL, CONT_MONTH VARCHAR(6) NOT NULL, "
    "DEMAND_DATE VARCHAR(8) NOT NULL, NAPIP_DATE VARCHAR(8), TOT_MONEY DOUBLE PRECISION, "
    "SUP_PRICE DOUBLE PRECISION, SUP_TAX DOUBLE PRECISION, SUP_ELEC DOUBLE PRECISION, "
    "SUP_GAS DOUBLE PRECISION, SUP_CONT DOUBLE PRECISION, SUP_ENVI DOUBLE PRECISION, "
    "SUP_WATER DOUBLE PRECISION, SUP_TELE DOUBLE PRECISION, SUP_WARE_RANT DOUBLE PRECISION, "
    "SUP_WARE_ELEC DOUBLE PRECISION, SUP_WARE_MANT DOUBLE PRECISION, SUP_REMARK VARCHAR(200), "
    AUDIT_COLUMNS ", PRIMARY KEY (CONT_CODE, CONT_MONTH, DEMAND_DATE))",

    // A contract's outstanding balances per kind (1 deposit, 2 rent, 3 management fee).
    "CREATE TABLE NC010MS (CONT_CODE VARCHAR(6) NOT NULL PRIMARY KEY, UNCOL_AMT1 DOUBLE PRECISION, "
    "UNCOL_AMT2 DOUBLE PRECISION, UNCOL_AMT3 DOUBLE PRECISION, " AUDIT_COLUMNS ")",

    // An accounting voucher line header (read only): its reference text.
    "CREATE TABLE VB011MS (SESSION_ID VARCHAR(4) NOT NULL, SLIP_NO VARCHAR(8) NOT NULL, "
    "SLIP_SEQ_NO VARCHAR(2) NOT NULL, REF_DATA VARCHAR(100), PRIMARY KEY (SESSION_ID, SLIP_NO, SLIP_SEQ_NO))",

    // An accounting voucher line (read only): account, management code and
    // detail (the payer), confirmation date, debit and credit amounts.
    "CREATE TABLE VB011DT (SESSION_ID VARCHAR(4) NOT NULL, SLIP_NO VARCHAR(8) NOT NULL, "
    "SLIP_SEQ_NO VARCHAR(2) NOT NULL, ACCT_CODE VARCHAR(7), MG_CODE INTEGER, MG_DETAIL VARCHAR(50), "
    "CONF_DATE VARCHAR(8), D_AMOUNT DOUBLE PRECISION, C_AMOUNT DOUBLE PRECISION, "
    "PRIMARY KEY (SESSION_ID, SLIP_NO, SLIP_SEQ_NO))",

    "CREATE INDEX NB010MS_MONTH ON NB010MS (NAPIP_MONTH)",
    "CREATE INDEX NB020MS_SLIP ON NB020MS (SLIP_CODE)",
    "CREATE INDEX NB030MS_MONTH ON NB030MS (NAPIP_MONTH)",
    "CREATE INDEX VB011DT_CONF ON VB011DT (CONF_DATE)",
    "CREATE INDEX NA020MS_SHOP ON NA020MS (SHOP_CODE)",
};

// Version 2: the employees who sign in. PASSWORD_HASH is a salted slow hash
// (TPasswordHash), never the password; PASSWORD_RESET_YN 'Y' makes the
// employee choose a new password at the next sign-in.
const std::vector<const char*> kVersion2 = {
    "CREATE TABLE ZA010MS (EMP_NO VARCHAR(8) NOT NULL PRIMARY KEY, EMP_NAME VARCHAR(50) NOT NULL, "
    "USE_YN VARCHAR(1) DEFAULT 'Y' NOT NULL, PASSWORD_HASH VARCHAR(255), PASSWORD_SET_AT VARCHAR(19), "
    "PASSWORD_RESET_YN VARCHAR(1) DEFAULT 'N' NOT NULL, " AUDIT_COLUMNS ")",
};

// Version 3: deposits taken from bank statements, and the depositor names
// remembered for contracts.
const std::vector<const char*> kVersion3 = {
    // A deposit line of an account's bank statement that was booked, either as
    // a receipt of CONT_CODE or as the suspense voucher line SLIP_CODE (or
    // both, when part of it was more than the contract had open). LINE_KEY is
    // account, date, time, amount, balance, depositor and the line's number
    // among equal lines of its file: a file read twice books nothing twice.
    "CREATE TABLE NB060MS (LINE_KEY VARCHAR(250) NOT NULL PRIMARY KEY, ACCOUNT_NO VARCHAR(30) NOT NULL, "
    "TRAN_DATE VARCHAR(8) NOT NULL, TRAN_TIME VARCHAR(6) NOT NULL, IPGUM_AMT DOUBLE PRECISION, "
    "BALANCE DOUBLE PRECISION, DEPOSITOR VARCHAR(50), MEMO VARCHAR(100), TRAN_SEQ INTEGER, "
    "CONT_CODE VARCHAR(6), RECEIPT_AMT DOUBLE PRECISION, SLIP_CODE VARCHAR(10), " AUDIT_COLUMNS ")",
    "CREATE INDEX NB060MS_ACCOUNT ON NB060MS (ACCOUNT_NO, TRAN_DATE)",
    // The receipts of a month for all contracts at once (the statement import).
    "CREATE INDEX NB020MS_IPGUM_DATE ON NB020MS (IPGUM_DATE)",

    // How an account's statement files are read: the column mapping
    // ("TITLE=3;DATE=0;...") and the titles of the row it was made for.
    "CREATE TABLE NB061MS (ACCOUNT_NO VARCHAR(30) NOT NULL PRIMARY KEY, COLUMN_MAP VARCHAR(200), "
    "TITLE_TEXT VARCHAR(1000), " AUDIT_COLUMNS ")",

    // A name a contract's money arrives under on the bank statement.
    "CREATE TABLE NA022MS (CONT_CODE VARCHAR(6) NOT NULL, DEPOSITOR_NAME VARCHAR(50) NOT NULL, "
    AUDIT_COLUMNS ", PRIMARY KEY (CONT_CODE, DEPOSITOR_NAME))",
};

// Version 6: a renewal keeps the term it ends. NA020MS then spans every term
// (CONT_START_DATE the first start, CONT_END_DATE the last end) and
// TERM_START_DATE says where the running term began (NULL: at the contract's
// start); NA021MS holds each earlier term as it stood when it was renewed.
const std::vector<const char*> kVersion6 = {
    "ALTER TABLE NA020MS ADD TERM_START_DATE VARCHAR(8)",
    "CREATE TABLE NA021MS (CONT_CODE VARCHAR(6) NOT NULL, TERM_SEQ INTEGER NOT NULL, "
    "TERM_START_DATE VARCHAR(8) NOT NULL, TERM_END_DATE VARCHAR(8) NOT NULL, CONT_DATE VARCHAR(8), "
    "BALANCE_DATE VARCHAR(8), CONT_DEPOSIT DOUBLE PRECISION, FIRST_DEPOSIT DOUBLE PRECISION, "
    "LAST_DEPOSIT DOUBLE PRECISION, CONT_LEASE_MONEY DOUBLE PRECISION, CONT_MANAGE_PAY DOUBLE PRECISION, "
    "CONT_DELAYRATE DOUBLE PRECISION, " AUDIT_COLUMNS ", PRIMARY KEY (CONT_CODE, TERM_SEQ))",
};

#undef AUDIT_COLUMNS

// Version 4: a tenant's business registration number (its ten digits) and address.
const std::vector<const char*> kVersion4 = {
    "ALTER TABLE VA050MS ADD COLUMN BIZ_NO VARCHAR(10)",
    "ALTER TABLE VA050MS ADD COLUMN ADDRESS VARCHAR(100)",
    "CREATE INDEX VA050MS_BIZ_NO ON VA050MS (BIZ_NO)",
};

// Version 5: indexes for month-end at scale (docs/database-access.md has the
// plans): a contract's rows of one month, read once per contract by the notices.
const std::vector<const char*> kVersion5 = {
    "CREATE INDEX NB010MS_CONT_MONTH ON NB010MS (CONT_CODE, NAPIP_MONTH)",
};

// kSteps[i] brings a database from version i to version i + 1.
const std::vector<std::vector<const char*>> kSteps = {kVersion1, kVersion2, kVersion3, kVersion4, kVersion5,
                                                              kVersion6};

// The first statement's table names of every step: the client's tables.
QStringList TableNames()
{
    QStringList names{QStringLiteral("SCHEMA_VERSION")};
    for (const auto& step : kSteps)
        for (const char* statement : step) {
            const QString text = QString::fromUtf8(statement);
            if (text.startsWith(QLatin1String("CREATE TABLE ")))
                names << text.section(QLatin1Char(' '), 2, 2);
        }
    return names;
}

void Run(TDatabase& db, const QString& sql)
{
    TQuery q(db);
    q.SQL() << sql;
    q.ExecSQL();
}

// The lease tables; tables of the access layer's own schemas on the shared
// server ("schema.table", such as the save tokens) are not among them.
QStringList LeaseTables(TDatabase& db)
{
    QStringList tables = db.SqlDatabase().tables();
    tables.removeIf([](const QString& name) { return name.contains(u'.'); });
    return tables;
}

bool HasVersionTable(TDatabase& db)
{
    return LeaseTables(db).contains(QStringLiteral("SCHEMA_VERSION"), Qt::CaseInsensitive);
}

} // namespace

TSchema::Turn::Turn(TDatabase& db) : m_db(db)
{
    if (db.Settings().Driver.compare(QStringLiteral("POSTGRES"), Qt::CaseInsensitive) != 0)
        return;
    Run(db, QStringLiteral("SELECT pg_advisory_lock(72450012)"));
    m_held = true;
}

TSchema::Turn::~Turn()
{
    if (!m_held || !m_db.Connected())
        return; // a dropped connection released the lock with it
    try {
        Run(m_db, QStringLiteral("SELECT pg_advisory_unlock(72450012)"));
    } catch (const EDatabaseError&) {
        // The server ends the session's locks with the session.
    }
}

int TSchema::LatestVersion() { return static_cast<int>(kSteps.size()); }

int TSchema::CurrentVersion(TDatabase& db)
{
    if (!HasVersionTable(db))
        return 0;
    TQuery q(db);
    q.SQL() << QStringLiteral("SELECT MAX(VERSION) FROM SCHEMA_VERSION");
    q.Open();
    return static_cast<int>(q.Fields(0).AsInteger());
}

QStringList TSchema::ClientTablesIn(TDatabase& db)
{
    const QStringList present = db.SqlDatabase().tables();
    QStringList found;
    for (const QString& name : TableNames())
        if (present.contains(name, Qt::CaseInsensitive))
            found << name;
    return found;
}

void TSchema::Create(TDatabase& db)
{
    if (!LeaseTables(db).isEmpty())
        throw EDatabaseError(QStringLiteral("The database already holds tables"));
    Upgrade(db);
}

void TSchema::Upgrade(TDatabase& db)
{
    if (CurrentVersion(db) == LatestVersion())
        return;
    const bool own = !db.InTransaction();
    // Clients that start together on a new database take turns here; the
    // version is read again once the turn has come. A caller with its own
    // transaction took the turn before starting it.
    std::optional<Turn> turn;
    if (own) {
        turn.emplace(db);
        db.StartTransaction();
    }
    try {
        const int from = CurrentVersion(db);
        if (from > LatestVersion())
            throw EDatabaseError(QStringLiteral("The database has schema version %1; this client knows up to %2")
                                     .arg(from)
                                     .arg(LatestVersion()));
        if (from == 0)
            Run(db, QStringLiteral("CREATE TABLE SCHEMA_VERSION (VERSION INTEGER NOT NULL PRIMARY KEY, "
                                   "APPLIED_AT VARCHAR(19))"));
        for (int version = from; version < LatestVersion(); ++version) {
            for (const char* statement : kSteps[version])
                Run(db, QString::fromUtf8(statement));
            TQuery record(db);
            record.SQL() << QStringLiteral("INSERT INTO SCHEMA_VERSION (VERSION, APPLIED_AT) VALUES (:V, :AT)");
            record.ParamByName(QStringLiteral("V")).SetAsInteger(version + 1);
            record.ParamByName(QStringLiteral("AT"))
                .SetAsString(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
            record.ExecSQL();
        }
        if (own)
            db.Commit();
    } catch (...) {
        if (own)
            db.Rollback();
        throw;
    }
}
