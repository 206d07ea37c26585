#include "common/TPostgresDialect.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <utility>
#include <libpq-fe.h>

#include "common/EDatabaseError.h"
#include "common/TPostgresFunctions.h"
#include "common/TPostgresSaveToken.h"
#include "common/TPostgresStatement.h"
#include "common/TResultSet.h"
#include "common/TValueConversion.h"

namespace {

// Type numbers of the engine's catalogue.
enum : Oid {
    kBool = 16, kBytea = 17, kInt8 = 20, kInt2 = 21, kInt4 = 23, kOid = 26, kFloat4 = 700, kFloat8 = 701,
    kDate = 1082, kTimestamp = 1114, kTimestampTz = 1184, kNumeric = 1700
};

TFieldType FieldTypeOf(Oid type)
{
    switch (type) {
    case kBool:
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid:
        return ftInteger;
    case kFloat4:
    case kFloat8:
    case kNumeric:
        return ftFloat;
    case kDate:
    case kTimestamp:
    case kTimestampTz:
        return ftDateTime;
    case kBytea:
        return ftBlob;
    default:
        return ftString;
    }
}

QVariant CellValue(const char* text, int length, Oid type)
{
    switch (type) {
    case kBool:
        return QVariant(static_cast<qlonglong>(text[0] == 't' ? 1 : 0));
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid:
        return QVariant(QByteArray::fromRawData(text, length).toLongLong());
    case kFloat4:
    case kFloat8:
    case kNumeric:
        return QVariant(QByteArray::fromRawData(text, length).toDouble());
    case kDate:
        return QDateTime(QDate::fromString(QString::fromLatin1(text, length), Qt::ISODate), QTime(0, 0));
    case kTimestamp:
    case kTimestampTz:
        return QDateTime::fromString(QString::fromLatin1(text, length).left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case kBytea: {
        const QByteArray hex = QByteArray::fromRawData(text, length);
        return QByteArray::fromHex(hex.startsWith("\\x") ? hex.mid(2) : hex);
    }
    default:
        return QString::fromUtf8(text, length);
    }
}

QByteArray ValueText(const QVariant& v)
{
    switch (TValueConversion::TypeOf(v)) {
    case ftFloat:
        return QByteArray::number(v.toDouble(), 'g', 17);
    case ftInteger:
        return QByteArray::number(v.toLongLong());
    case ftDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
    case ftBlob:
        return "\\x" + v.toByteArray().toHex();
    default:
        return TValueConversion::ToString(v).toUtf8();
    }
}

// Field names read as the server gives them: unquoted names in upper case.
QString FieldNameOf(const TSqlStatement& statement, const char* raw)
{
    const QString name = QString::fromUtf8(raw);
    for (const auto& t : statement.Tokens())
        if (t.Kind == TSqlStatement::tkQuotedName && t.Text.mid(1, t.Text.size() - 2) == name)
            return name;
    return name.toUpper();
}

QString FirstWord(const QString& nativeSql)
{
    const QString text = nativeSql.trimmed();
    int end = 0;
    while (end < text.size() && text[end].isLetter())
        ++end;
    return text.left(end).toUpper();
}

// A statement that reads only (a dropped connection may run it again).
bool IsRead(const QString& nativeSql)
{
    const QString word = FirstWord(nativeSql);
    return word == QLatin1String("SELECT") || word == QLatin1String("WITH") || word == QLatin1String("VALUES");
}

// A command that yields no rows, refused by Open before it runs.
bool IsCommandWithoutRows(const QString& nativeSql)
{
    static const QStringList commands = {"INSERT", "UPDATE", "DELETE", "MERGE", "CREATE", "DROP", "ALTER",
                                         "TRUNCATE", "GRANT", "REVOKE", "BEGIN", "COMMIT", "ROLLBACK",
                                         "SAVEPOINT", "RELEASE", "SET", "LOCK", "CALL", "DO", "VACUUM"};
    return commands.contains(FirstWord(nativeSql));
}

bool IsCommand(const QString& sql, const char* word)
{
    return sql.startsWith(QLatin1String(word), Qt::CaseInsensitive);
}

} // namespace

QString TPostgresDialect::RetryMessage()
{
    return QStringLiteral("다른 사용자가 같은 자료를 먼저 저장했습니다. 자료를 다시 조회한 뒤 저장하십시오.");
}

QString TPostgresDialect::ConnectionLostMessage()
{
    return QStringLiteral("데이터베이스 서버와의 연결이 끊어져 저장하지 못했습니다. "
                          "입력한 내용은 화면에 남아 있으니 다시 저장하십시오.");
}

QString TPostgresDialect::SavedBeforeMessage()
{
    return QStringLiteral("연결이 끊어지기 전에 보낸 저장이 이미 반영되었습니다. 자료를 다시 조회하십시오.");
}

QString TPostgresDialect::OutcomeUnknownMessage()
{
    return QStringLiteral("저장 중 데이터베이스 서버와의 연결이 끊어져 저장되었는지 확인하지 못했습니다. "
                          "입력한 내용은 화면에 남아 있습니다. 자료를 다시 조회하여 저장되었는지 확인한 뒤에 "
                          "저장하십시오.");
}

QString TPostgresDialect::WorkLockTimeoutMessage()
{
    return QStringLiteral("다른 사용자의 마감 또는 입금 작업이 끝나기를 기다렸지만 끝나지 않아 저장하지 못했습니다. "
                          "입력한 내용은 화면에 남아 있으니 잠시 후 다시 저장하십시오.");
}

QString TPostgresDialect::CommitRefusedMessage()
{
    return QStringLiteral("저장 중 오류가 있었던 작업이라 서버가 저장하지 않았습니다. 다시 저장하십시오.");
}

void TPostgresDialect::Attach(QSqlDatabase& db, const TConnectionSettings&)
{
    const QVariant handle = db.driver()->handle();
    const bool native = qstrcmp(handle.typeName(), "PGconn*") == 0 || qstrcmp(handle.typeName(), "pg_conn*") == 0;
    if (!handle.isValid() || !native)
        throw EDatabaseError(QStringLiteral("The PostgreSQL driver gives no native handle"));
    m_conn = *static_cast<pg_conn* const*>(handle.constData());
    m_session = std::make_shared<int>(0);
    PrepareSession();
    InstallFunctions();
}

void TPostgresDialect::Detach()
{
    m_session.reset();
    m_conn = nullptr;
    m_inTransaction = false;
    m_implicitSavepoint.clear();
}

void TPostgresDialect::PrepareSession()
{
    Run(QStringLiteral("SET client_min_messages = warning"));
    Run(QStringLiteral("SET search_path = public, %1, pg_catalog").arg(QLatin1String(TPostgresFunctions::kSchema)));
    Run(QStringLiteral("SET DateStyle = ISO"));
    Run(QStringLiteral("SET extra_float_digits = 1"));
    // A client holding rows another one saves waits this long, then is refused.
    Run(QStringLiteral("SET lock_timeout = '15s'"));
}

// The functions come with the client: a database that has an older version
// (or none) gets this client's, one client at a time; a newer one stays. The
// table of save tokens is made where it is missing.
void TPostgresDialect::InstallFunctions()
{
    const QString check = QStringLiteral("SELECT %1.functions_version()").arg(QLatin1String(TPostgresFunctions::kSchema));
    auto current = [&]() {
        Run(QStringLiteral("SAVEPOINT SELVAR_CHECK"));
        PGresult* r = PQexec(m_conn, check.toUtf8().constData());
        const bool ok = PQresultStatus(r) == PGRES_TUPLES_OK;
        const int version = ok ? atoi(PQgetvalue(r, 0, 0)) : 0;
        PQclear(r);
        Run(ok ? QStringLiteral("RELEASE SAVEPOINT SELVAR_CHECK") : QStringLiteral("ROLLBACK TO SAVEPOINT SELVAR_CHECK"));
        return version;
    };
    auto hasTokens = [&]() {
        const TResult r = Run(QStringLiteral("SELECT to_regclass('selvar_save.save_token') IS NOT NULL "
                                             "AND to_regclass('selvar_save.work_lock') IS NOT NULL"));
        return QByteArray(PQgetvalue(r.get(), 0, 0)) == "t";
    };
    Run(QStringLiteral("BEGIN"));
    try {
        if (current() < TPostgresFunctions::kVersion || !hasTokens()) {
            Run(QStringLiteral("SELECT pg_advisory_xact_lock(72450011)"));
            if (current() < TPostgresFunctions::kVersion)
                for (const QString& statement : TPostgresFunctions::Install())
                    Run(statement);
            if (!hasTokens())
                for (const QString& statement : TPostgresSaveToken::Install())
                    Run(statement);
        }
        Run(QStringLiteral("COMMIT"));
    } catch (...) {
        PQclear(PQexec(m_conn, "ROLLBACK"));
        throw;
    }
}

TPostgresDialect::TResult TPostgresDialect::Run(const QString& sql, const std::vector<QVariant>& values)
{
    std::vector<QByteArray> texts;
    std::vector<const char*> pointers;
    texts.reserve(values.size());
    for (const QVariant& v : values) {
        if (TValueConversion::IsNull(v)) {
            pointers.push_back(nullptr);
        } else {
            texts.push_back(ValueText(v));
            pointers.push_back(texts.back().constData());
        }
    }
    const QByteArray native = sql.toUtf8();
    TResult result(PQexecParams(m_conn, native.constData(), static_cast<int>(values.size()), nullptr,
                                pointers.data(), nullptr, nullptr, 0),
                   PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        Fail(result.get());
    return result;
}

void TPostgresDialect::Fail(pg_result* result)
{
    const QString sqlState = QString::fromLatin1(PQresultErrorField(result, PG_DIAG_SQLSTATE));
    if (PQstatus(m_conn) != CONNECTION_OK)
        throw EDatabaseError(ConnectionLostMessage());
    // Serialization failure, deadlock, or rows another client holds too long.
    if (sqlState == QLatin1String("40001") || sqlState == QLatin1String("40P01")
        || sqlState == QLatin1String("55P03"))
        throw EDatabaseError(RetryMessage());
    const QString text = QString::fromUtf8(PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY));
    throw EDatabaseError(text.isEmpty() ? QString::fromUtf8(PQerrorMessage(m_conn)).trimmed() : text);
}

// Outside a transaction a dropped connection is opened again; inside one the
// transaction is lost and only its end (rollback) is accepted.
void TPostgresDialect::EnsureConnected()
{
    if (!m_conn)
        throw EDatabaseError(QStringLiteral("데이터베이스에 연결되어 있지 않습니다."));
    if (PQstatus(m_conn) == CONNECTION_OK)
        return;
    if (m_inTransaction || !m_implicitSavepoint.isEmpty())
        throw EDatabaseError(ConnectionLostMessage());
    PQreset(m_conn);
    if (PQstatus(m_conn) != CONNECTION_OK)
        throw EDatabaseError(QStringLiteral("데이터베이스 서버에 다시 연결하지 못했습니다. 잠시 후 다시 시도하십시오."));
    PrepareSession();
    ResolveUnanswered();
}

TPostgresDialect::TOutcome TPostgresDialect::AskOutcome()
{
    const char* values[] = {m_unanswered.constData()};
    const TResult r(PQexecParams(m_conn, TPostgresSaveToken::kClaim, 1, nullptr, values, nullptr, nullptr, 0),
                    PQclear);
    if (PQresultStatus(r.get()) != PGRES_COMMAND_OK)
        return TOutcome::Unknown;
    m_unanswered.clear();
    return QByteArray(PQcmdTuples(r.get())) == "0" ? TOutcome::Committed : TOutcome::Absent;
}

// A COMMIT that got no answer, asked about before anything else is sent, so
// that a save that did reach the database is reported and not sent again.
void TPostgresDialect::ResolveUnanswered()
{
    if (m_unanswered.isEmpty())
        return;
    switch (AskOutcome()) {
    case TOutcome::Committed:
        throw EDatabaseError(SavedBeforeMessage());
    case TOutcome::Unknown:
        throw EDatabaseError(OutcomeUnknownMessage());
    case TOutcome::Absent:
        return;
    }
}

// BEGIN takes no snapshot: the transaction's first statement does, so a work
// lock taken first is waited for before the transaction sees any data.
void TPostgresDialect::OpenTransaction()
{
    const char* begin = "BEGIN ISOLATION LEVEL SERIALIZABLE";
    TResult r(PQexec(m_conn, begin), PQclear);
    if (PQresultStatus(r.get()) != PGRES_COMMAND_OK && PQstatus(m_conn) != CONNECTION_OK) {
        EnsureConnected(); // dropped while idle: nothing was sent yet
        r.reset(PQexec(m_conn, begin));
    }
    if (PQresultStatus(r.get()) != PGRES_COMMAND_OK)
        Fail(r.get());
}

// The end of a transaction: its save token (made before it is sent) and
// COMMIT go in one round trip. A COMMIT without answer is decided by the
// token: success only when the token is found, a plain failure when it is
// not, and when the server cannot be asked the outcome stays open (asked
// again on the next connection) and the clerk is told to look first.
void TPostgresDialect::CommitTransaction()
{
    if (PQtransactionStatus(m_conn) == PQTRANS_INERROR) {
        PQclear(PQexec(m_conn, "ROLLBACK")); // a failed statement ended its work
        throw EDatabaseError(CommitRefusedMessage());
    }
    const QByteArray token = TPostgresSaveToken::New();
    const QByteArray commit = TPostgresSaveToken::Insert(token) + "; COMMIT";
    const TResult r(PQexec(m_conn, commit.constData()), PQclear);
    if (PQresultStatus(r.get()) == PGRES_COMMAND_OK) {
        PruneTokens();
        return;
    }
    if (PQstatus(m_conn) == CONNECTION_OK) {
        if (PQtransactionStatus(m_conn) == PQTRANS_INERROR)
            PQclear(PQexec(m_conn, "ROLLBACK"));
        Fail(r.get()); // refused (the server rolled the transaction back)
    }
    m_unanswered = token;
    PQreset(m_conn);
    try {
        if (PQstatus(m_conn) != CONNECTION_OK)
            throw EDatabaseError(OutcomeUnknownMessage());
        PrepareSession();
    } catch (const EDatabaseError&) {
        throw EDatabaseError(OutcomeUnknownMessage());
    }
    switch (AskOutcome()) {
    case TOutcome::Committed:
        return;
    case TOutcome::Absent:
        throw EDatabaseError(ConnectionLostMessage());
    case TOutcome::Unknown:
        throw EDatabaseError(OutcomeUnknownMessage());
    }
}

// Later saves remove the tokens of the day before, at most once an hour per
// session and outside any serializable transaction (a read of the table there
// would make unrelated saves conflict).
void TPostgresDialect::PruneTokens()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (m_pruned.isValid() && m_pruned.secsTo(now) < 3600)
        return;
    m_pruned = now;
    PQclear(PQexec(m_conn, TPostgresSaveToken::kPrune));
}

void TPostgresDialect::Begin()
{
    EnsureConnected();
    ResolveUnanswered();
    OpenTransaction();
    m_inTransaction = true;
}

void TPostgresDialect::Commit()
{
    EnsureConnected();
    m_inTransaction = false;
    CommitTransaction();
}

void TPostgresDialect::Rollback()
{
    m_inTransaction = false;
    m_implicitSavepoint.clear();
    if (!m_conn || PQstatus(m_conn) != CONNECTION_OK || PQtransactionStatus(m_conn) == PQTRANS_IDLE)
        return; // the server ended the transaction (with the connection, or refusing its commit)
    Run(QStringLiteral("ROLLBACK"));
}

// The lock of an empty table: LOCK takes no snapshot (a function call in a
// SELECT would, before waiting). A wait beyond the session's lock timeout is
// its own message, not the one for a conflict with another save.
void TPostgresDialect::TakeWorkLock(bool exclusive)
{
    EnsureConnected();
    const char* lock = exclusive ? "LOCK TABLE selvar_save.work_lock IN EXCLUSIVE MODE"
                                 : "LOCK TABLE selvar_save.work_lock IN ROW SHARE MODE";
    const TResult r(PQexec(m_conn, lock), PQclear);
    if (PQresultStatus(r.get()) == PGRES_COMMAND_OK)
        return;
    const char* state = PQresultErrorField(r.get(), PG_DIAG_SQLSTATE);
    if (PQstatus(m_conn) == CONNECTION_OK && qstrcmp(state, "55P03") == 0)
        throw EDatabaseError(WorkLockTimeoutMessage());
    Fail(r.get());
}

QString TPostgresDialect::Translate(const TSqlStatement& statement) const
{
    return TPostgresStatement(statement, {}).Text();
}

void TPostgresDialect::Execute(const TSqlStatement& statement, const std::vector<QVariant>& values,
                               TResultSet& result, bool wantRows)
{
    EnsureConnected();
    const TPostgresStatement native(statement, values);
    const QString noRows = QStringLiteral("The statement returns no rows to open");
    if (wantRows && IsCommandWithoutRows(native.Text()))
        throw EDatabaseError(noRows);
    const TResult r = RunReconnecting(native);
    if (wantRows && PQresultStatus(r.get()) != PGRES_TUPLES_OK)
        throw EDatabaseError(noRows);
    result.Clear();
    const int columns = PQnfields(r.get());
    const int rows = PQntuples(r.get());
    std::vector<Oid> types(columns);
    for (int c = 0; c < columns; ++c) {
        result.Names.append(FieldNameOf(statement, PQfname(r.get(), c)));
        types[c] = PQftype(r.get(), c);
        result.Types.push_back(FieldTypeOf(types[c]));
    }
    for (int row = 0; row < rows; ++row)
        for (int c = 0; c < columns; ++c)
            result.Cells.push_back(PQgetisnull(r.get(), row, c)
                                       ? QVariant()
                                       : CellValue(PQgetvalue(r.get(), row, c), PQgetlength(r.get(), row, c), types[c]));
    result.RowsAffected = PQresultStatus(r.get()) == PGRES_TUPLES_OK ? 0 : QByteArray(PQcmdTuples(r.get())).toLongLong();
}

namespace {

// The rows of a statement, read at once (the connection serves one statement
// at a time, and a screen reads other statements while it walks the rows);
// reading on after the connection closed fails like on the embedded engine.
class TPostgresCursor : public TSqlCursor
{
public:
    TPostgresCursor(TResultSet&& rows, std::weak_ptr<int> session)
        : m_rows(std::move(rows)), m_session(std::move(session))
    {
    }

    bool Fetch(std::vector<QVariant>& row) override
    {
        if (m_session.expired())
            throw EDatabaseError(QStringLiteral("데이터베이스에 연결되어 있지 않습니다."));
        if (m_next >= m_rows.RowCount())
            return false;
        const int columns = m_rows.ColumnCount();
        const auto first = m_rows.Cells.begin() + static_cast<long>(m_next) * columns;
        row.assign(std::make_move_iterator(first), std::make_move_iterator(first + columns));
        ++m_next;
        return true;
    }

private:
    TResultSet m_rows;
    std::weak_ptr<int> m_session;
    int m_next = 0;
};

} // namespace

std::unique_ptr<TSqlCursor> TPostgresDialect::OpenCursor(const TSqlStatement& statement,
                                                         const std::vector<QVariant>& values, TResultSet& header)
{
    TResultSet rows;
    Execute(statement, values, rows, true);
    header.Clear();
    header.Names = rows.Names;
    header.Types = rows.Types;
    return std::make_unique<TPostgresCursor>(std::move(rows), m_session);
}

// A read outside a transaction whose connection dropped while idle goes again
// on a new connection; a change might have reached the server, so it does not.
TPostgresDialect::TResult TPostgresDialect::RunReconnecting(const TPostgresStatement& native)
{
    try {
        return Run(native.Text(), native.Values());
    } catch (const EDatabaseError&) {
        if (m_inTransaction || !m_implicitSavepoint.isEmpty() || PQstatus(m_conn) == CONNECTION_OK
            || !IsRead(native.Text()))
            throw;
    }
    EnsureConnected();
    return Run(native.Text(), native.Values());
}

// A savepoint outside a transaction opens one of its own (as the embedded
// engine does), which its release commits and its rollback ends.
void TPostgresDialect::ExecuteDirect(const QString& nativeSql)
{
    EnsureConnected();
    const QString sql = nativeSql.trimmed();
    if (!m_inTransaction && m_implicitSavepoint.isEmpty() && IsCommand(sql, "SAVEPOINT ")) {
        ResolveUnanswered();
        OpenTransaction();
        m_implicitSavepoint = sql.mid(10).trimmed();
        return;
    }
    if (!m_implicitSavepoint.isEmpty() && sql.endsWith(m_implicitSavepoint, Qt::CaseInsensitive)) {
        if (IsCommand(sql, "RELEASE ")) {
            m_implicitSavepoint.clear();
            CommitTransaction();
        } else if (IsCommand(sql, "ROLLBACK ")) {
            m_implicitSavepoint.clear();
            Run(QStringLiteral("ROLLBACK"));
        }
        return;
    }
    Run(sql);
}
