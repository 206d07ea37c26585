#include "common/TSqliteDialect.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <sqlite3.h>

#include "common/EDatabaseError.h"
#include "common/TResultSet.h"
#include "common/TSqlOperands.h"
#include "common/TSqlStatement.h"
#include "common/TSqliteFunctions.h"
#include "common/TValueConversion.h"

namespace {

using namespace TSqlOperands;

constexpr int kCacheSize = 64;

// The token after "UPDATE t" or "DELETE FROM t" that names an alias without AS, or -1.
int AliasWithoutAs(const TSqlStatement& s, int keyword)
{
    int table = s.NextSignificant(keyword);
    if (table >= 0 && IsWord(s.Tokens()[keyword], "DELETE") && IsWord(s.Tokens()[table], "FROM"))
        table = s.NextSignificant(table);
    if (table < 0 || s.Tokens()[table].Kind != TSqlStatement::tkWord)
        return -1;
    int next = s.NextSignificant(table);
    if (IsSymbol(s, next, u'.')) {
        table = s.NextSignificant(next);
        next = table < 0 ? -1 : s.NextSignificant(table);
    }
    if (next < 0 || s.Tokens()[next].Kind != TSqlStatement::tkWord)
        return -1;
    for (const char* keywordAfter : {"SET", "AS", "WHERE"})
        if (IsWord(s.Tokens()[next], keywordAfter))
            return -1;
    return next;
}

// The server concatenates NULL as empty text; the engine would give NULL.
// Every chain a || b || ... becomes NULLIF(COALESCE(a,'') || COALESCE(b,'') ..., ''),
// which is the server's meaning (an empty result is NULL there too).
void WrapConcatenations(const TSqlStatement& s, std::vector<QString>& before, std::vector<QString>& after)
{
    const int count = static_cast<int>(s.Tokens().size());
    for (int i = 0; i < count; ++i) {
        if (!IsConcat(s, i))
            continue;
        const int leftEnd = s.PreviousSignificant(i);
        const int leftStart = leftEnd < 0 ? -1 : OperandStart(s, leftEnd);
        if (leftStart < 0)
            continue;
        std::vector<std::pair<int, int>> operands{{leftStart, leftEnd}};
        int op = i;
        while (op >= 0 && IsConcat(s, op)) {
            const int rightStart = s.NextSignificant(op + 1);
            const int rightEnd = rightStart < 0 ? -1 : OperandEnd(s, rightStart);
            if (rightEnd < 0)
                break;
            operands.emplace_back(rightStart, rightEnd);
            op = s.NextSignificant(rightEnd);
        }
        if (operands.size() < 2)
            continue;
        before[operands.front().first] += QLatin1String("NULLIF(");
        for (const auto& [first, last] : operands) {
            before[first] += QLatin1String("COALESCE(");
            after[last].prepend(QLatin1String(",'')"));
        }
        after[operands.back().second] += QLatin1String(",'')");
        i = operands.back().second;
    }
}

// The index of the ")" that closes the "(" at open, or -1.
int ClosingParen(const TSqlStatement& s, int open)
{
    int depth = 0;
    for (int i = open; i < static_cast<int>(s.Tokens().size()); ++i) {
        if (IsSymbol(s, i, u'('))
            ++depth;
        else if (IsSymbol(s, i, u')') && --depth == 0)
            return i;
    }
    return -1;
}

// True when the select from open to close names a scalar subquery and has no
// LIMIT of its own at its level.
bool HasSubqueryAndNoLimit(const TSqlStatement& s, int open, int close)
{
    bool subquery = false;
    int depth = 0;
    for (int i = open + 1; i < close; ++i) {
        if (IsSymbol(s, i, u'(')) {
            ++depth;
            const int next = s.NextSignificant(i);
            subquery = subquery || (next >= 0 && IsWord(s.Tokens()[next], "SELECT"));
        } else if (IsSymbol(s, i, u')')) {
            --depth;
        } else if (depth == 0 && IsWord(s.Tokens()[i], "LIMIT")) {
            return false;
        }
    }
    return subquery;
}

// The engine merges a derived table into the select around it, and then runs
// a scalar subquery of the derived table's select list again at every place
// the outer select names its column (the closing preview names each carry and
// receipt sum several times per line). "LIMIT -1 OFFSET 0" returns every row
// and keeps the derived table whole, so each subquery runs once per row.
// Left alone where the outer select filters the derived table (a merged or
// pushed-down WHERE is then worth more).
void KeepDerivedTablesWhole(const TSqlStatement& s, std::vector<QString>& before)
{
    const auto& tokens = s.Tokens();
    for (int i = 0; i < static_cast<int>(tokens.size()); ++i) {
        if (!IsWord(tokens[i], "FROM"))
            continue;
        const int open = s.NextSignificant(i);
        const int select = open < 0 ? -1 : s.NextSignificant(open);
        if (!IsSymbol(s, open, u'(') || select < 0 || !IsWord(tokens[select], "SELECT"))
            continue;
        const int close = ClosingParen(s, open);
        if (close < 0 || !HasSubqueryAndNoLimit(s, open, close))
            continue;
        int after = s.NextSignificant(close);
        if (after >= 0 && IsWord(tokens[after], "AS"))
            after = s.NextSignificant(after);
        if (after >= 0 && tokens[after].Kind == TSqlStatement::tkWord && !IsWord(tokens[after], "WHERE")
            && !IsWord(tokens[after], "ORDER") && !IsWord(tokens[after], "GROUP") && !IsWord(tokens[after], "UNION"))
            after = s.NextSignificant(after);
        if (after >= 0 && IsWord(tokens[after], "WHERE"))
            continue;
        before[close] += QLatin1String(" LIMIT -1 OFFSET 0");
    }
}

TFieldType TypeOfDeclared(const char* declared)
{
    if (!declared)
        return ftUnknown;
    const QByteArray d = QByteArray(declared).toUpper();
    if (d.contains("CHAR") || d.contains("TEXT"))
        return ftString;
    if (d.contains("TIMESTAMP") || d.contains("DATE"))
        return ftDateTime;
    if (d.contains("INT"))
        return ftInteger;
    if (d.contains("DOUB") || d.contains("REAL") || d.contains("FLOA") || d.contains("NUM") || d.contains("DEC"))
        return ftFloat;
    return ftUnknown;
}

QVariant TextValue(QString&& text)
{
    QVariant value{QMetaType::fromType<QString>()};
    *static_cast<QString*>(value.data()) = std::move(text); // no second reference to count
    return value;
}

QVariant CellValue(sqlite3_stmt* stmt, int column, TFieldType declared)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        QString s = QString::fromUtf8(text, sqlite3_column_bytes(stmt, column));
        if (declared == ftDateTime) {
            const QDateTime stamp = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (stamp.isValid())
                return stamp;
        }
        return TextValue(std::move(s));
    }
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, column)),
                          sqlite3_column_bytes(stmt, column));
    default:
        return QVariant();
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

} // namespace

TSqliteDialect::~TSqliteDialect() { Detach(); }

void TSqliteDialect::Fail() const
{
    throw EDatabaseError(QString::fromUtf8(sqlite3_errmsg(m_handle)));
}

void TSqliteDialect::Attach(QSqlDatabase& db, const TConnectionSettings& settings)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw EDatabaseError(QStringLiteral("The SQLite driver gives no native handle"));
    m_handle = *static_cast<sqlite3* const*>(handle.constData());
    sqlite3_busy_timeout(m_handle, settings.BusyTimeoutMs);
    // Reading the schema fails on a file that is not a database.
    ExecuteDirect(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
    if (sqlite3_db_readonly(m_handle, "main") == 1)
        throw EDatabaseError(QString::fromUtf8(sqlite3_errstr(SQLITE_READONLY)));
    // Money records: every commit reaches the disk before it is reported.
    ExecuteDirect(QStringLiteral("PRAGMA journal_mode=WAL"));
    ExecuteDirect(QStringLiteral("PRAGMA synchronous=FULL"));
    ExecuteDirect(QStringLiteral("PRAGMA case_sensitive_like=ON"));
    TSqliteFunctions::Register(m_handle);
    ExecuteDirect(QStringLiteral("CREATE TEMP VIEW IF NOT EXISTS DUAL AS SELECT 'X' AS DUMMY"));
}

void TSqliteDialect::ExecuteDirect(const QString& nativeSql)
{
    char* error = nullptr;
    if (sqlite3_exec(m_handle, nativeSql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = QString::fromUtf8(error ? error : sqlite3_errmsg(m_handle));
        sqlite3_free(error);
        throw EDatabaseError(text);
    }
}

// IMMEDIATE takes the write lock at once, so a file held by another client
// makes the start wait (busy timeout) and fail cleanly instead of a later write.
void TSqliteDialect::Begin() { ExecuteDirect(QStringLiteral("BEGIN IMMEDIATE")); }

void TSqliteDialect::Commit() { ExecuteDirect(QStringLiteral("COMMIT")); }

void TSqliteDialect::Rollback()
{
    if (!sqlite3_get_autocommit(m_handle))
        ExecuteDirect(QStringLiteral("ROLLBACK"));
}

QString TSqliteDialect::Translate(const TSqlStatement& s) const
{
    const auto& tokens = s.Tokens();
    std::vector<int> aliasNeedsAs;
    for (int i = 0; i < static_cast<int>(tokens.size()); ++i)
        if (IsWord(tokens[i], "UPDATE") || IsWord(tokens[i], "DELETE"))
            aliasNeedsAs.push_back(AliasWithoutAs(s, i));

    std::vector<QString> before(tokens.size()), after(tokens.size());
    WrapConcatenations(s, before, after);
    KeepDerivedTablesWhole(s, before);

    QString out;
    out.reserve(s.Text().size() + 16);
    for (int i = 0; i < static_cast<int>(tokens.size()); ++i) {
        const auto& t = tokens[i];
        if (std::find(aliasNeedsAs.begin(), aliasNeedsAs.end(), i) != aliasNeedsAs.end())
            out += QLatin1String("AS ");
        out += before[i];
        switch (t.Kind) {
        case TSqlStatement::tkParam:
            out += QLatin1Char('?') + QString::number(t.Param + 1);
            break;
        case TSqlStatement::tkString:
            out += t.Text == QLatin1String("''") ? QStringLiteral("NULL") : t.Text;
            break;
        case TSqlStatement::tkNumber: {
            const bool whole = !t.Text.contains(u'.') && !t.Text.contains(u'e') && !t.Text.contains(u'E');
            const bool divides = IsSymbol(s, s.PreviousSignificant(i), u'/') || IsSymbol(s, s.NextSignificant(i), u'/');
            out += (whole && divides) ? t.Text + QLatin1String(".0") : t.Text;
            break;
        }
        case TSqlStatement::tkWord:
            if (IsWord(t, "MINUS"))
                out += QLatin1String("EXCEPT");
            else if (IsWord(t, "SYSDATE") && !IsSymbol(s, s.NextSignificant(i), u'(')
                     && !IsSymbol(s, s.PreviousSignificant(i), u'.'))
                out += QLatin1String("SYSDATE()");
            else
                out += t.Text;
            break;
        default:
            out += t.Text;
        }
        out += after[i];
    }
    return out;
}

sqlite3_stmt* TSqliteDialect::Compile(const TSqlStatement& statement)
{
    const QByteArray native = Translate(statement).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(m_handle, native.constData(), static_cast<int>(native.size()), &stmt, &tail) != SQLITE_OK)
        Fail();
    if (!stmt)
        throw EDatabaseError(QStringLiteral("The statement is empty"));
    const QByteArray rest = QByteArray(tail).trimmed();
    if (!rest.isEmpty() && rest != ";") {
        sqlite3_finalize(stmt);
        throw EDatabaseError(QStringLiteral("Only one statement can run at a time"));
    }
    return stmt;
}

sqlite3_stmt* TSqliteDialect::Prepared(const TSqlStatement& statement)
{
    if (sqlite3_stmt* cached = m_cache.value(statement.Text()))
        return cached;
    sqlite3_stmt* stmt = Compile(statement);
    if (m_cacheOrder.size() >= kCacheSize) {
        sqlite3_stmt* oldest = m_cache.take(m_cacheOrder.takeFirst());
        m_lastCells.remove(oldest);
        sqlite3_finalize(oldest);
    }
    m_cache.insert(statement.Text(), stmt);
    m_cacheOrder.append(statement.Text());
    return stmt;
}

void TSqliteDialect::Bind(sqlite3_stmt* stmt, const std::vector<QVariant>& values)
{
    for (int i = 0; i < static_cast<int>(values.size()); ++i) {
        const QVariant& v = values[i];
        int rc = SQLITE_OK;
        if (TValueConversion::IsNull(v)) {
            rc = sqlite3_bind_null(stmt, i + 1);
        } else {
            switch (TValueConversion::TypeOf(v)) {
            case ftInteger:
                rc = sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
                break;
            case ftFloat:
                rc = sqlite3_bind_double(stmt, i + 1, v.toDouble());
                break;
            case ftBlob: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob(stmt, i + 1, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray b = TValueConversion::ToString(v).toUtf8();
                rc = sqlite3_bind_text(stmt, i + 1, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
            }
            }
        }
        if (rc != SQLITE_OK)
            Fail();
    }
}

std::vector<TFieldType> TSqliteDialect::ReadHeader(sqlite3_stmt* stmt, const TSqlStatement& statement,
                                                   TResultSet& header)
{
    const int columns = sqlite3_column_count(stmt);
    header.Clear();
    std::vector<TFieldType> declared(columns);
    for (int c = 0; c < columns; ++c) {
        header.Names.append(FieldNameOf(statement, sqlite3_column_name(stmt, c)));
        declared[c] = TypeOfDeclared(sqlite3_column_decltype(stmt, c));
    }
    header.Types = declared;
    return declared;
}

namespace {

// Clears a statement for its next use, however the run ended.
struct TStatementReset
{
    sqlite3_stmt* Stmt;
    ~TStatementReset()
    {
        sqlite3_reset(Stmt);
        sqlite3_clear_bindings(Stmt);
    }
};

// An expression column takes its type from its first value.
void ResolveTypes(TResultSet& result)
{
    for (int c = 0; c < result.ColumnCount(); ++c) {
        for (int r = 0; result.Types[c] == ftUnknown && r < result.RowCount(); ++r)
            result.Types[c] = TValueConversion::TypeOf(result.Cell(r, c));
        if (result.Types[c] == ftUnknown)
            result.Types[c] = ftString;
    }
}

} // namespace

void TSqliteDialect::Execute(const TSqlStatement& statement, const std::vector<QVariant>& values,
                             TResultSet& result, bool wantRows)
{
    sqlite3_stmt* stmt = Prepared(statement);
    TStatementReset reset{stmt};
    Bind(stmt, values);
    const std::vector<TFieldType> declared = ReadHeader(stmt, statement, result);
    const int columns = static_cast<int>(declared.size());
    if (wantRows && columns == 0)
        throw EDatabaseError(QStringLiteral("The statement returns no rows to open"));
    const bool reads = sqlite3_stmt_readonly(stmt) != 0;
    result.Cells.reserve(m_lastCells.value(stmt));
    for (;;) {
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            Fail();
        for (int c = 0; c < columns; ++c)
            result.Cells.push_back(CellValue(stmt, c, declared[c]));
    }
    m_lastCells.insert(stmt, result.Cells.size());
    ResolveTypes(result);
    result.RowsAffected = reads ? 0 : sqlite3_changes64(m_handle);
}

// Reads a statement row by row on its own compiled statement, so that a
// cached statement of the same text stays free for other queries.
class TSqliteCursor : public TSqlCursor
{
public:
    TSqliteCursor(TSqliteDialect* dialect, sqlite3_stmt* stmt, std::vector<TFieldType> declared)
        : m_dialect(dialect), m_stmt(stmt), m_declared(std::move(declared))
    {
        m_dialect->m_cursors.insert(this);
    }

    ~TSqliteCursor() override
    {
        if (m_dialect)
            m_dialect->m_cursors.remove(this);
        Abandon();
    }

    // The connection closes: the statement goes with it.
    void Abandon()
    {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        m_dialect = nullptr;
    }

    bool Fetch(std::vector<QVariant>& row) override
    {
        if (!m_stmt)
            throw EDatabaseError(QStringLiteral("데이터베이스에 연결되어 있지 않습니다."));
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_DONE)
            return false;
        if (rc != SQLITE_ROW)
            m_dialect->Fail();
        row.resize(m_declared.size());
        for (int c = 0; c < static_cast<int>(m_declared.size()); ++c)
            row[c] = CellValue(m_stmt, c, m_declared[c]);
        return true;
    }

private:
    TSqliteDialect* m_dialect;
    sqlite3_stmt* m_stmt;
    std::vector<TFieldType> m_declared;
};

std::unique_ptr<TSqlCursor> TSqliteDialect::OpenCursor(const TSqlStatement& statement,
                                                       const std::vector<QVariant>& values, TResultSet& header)
{
    sqlite3_stmt* stmt = Compile(statement);
    std::vector<TFieldType> declared;
    try {
        Bind(stmt, values);
        declared = ReadHeader(stmt, statement, header);
        if (declared.empty())
            throw EDatabaseError(QStringLiteral("The statement returns no rows to open"));
    } catch (...) {
        sqlite3_finalize(stmt);
        throw;
    }
    return std::make_unique<TSqliteCursor>(this, stmt, declared);
}

void TSqliteDialect::Detach()
{
    for (TSqliteCursor* cursor : std::as_const(m_cursors))
        cursor->Abandon();
    m_cursors.clear();
    for (sqlite3_stmt* stmt : std::as_const(m_cache))
        sqlite3_finalize(stmt);
    m_cache.clear();
    m_cacheOrder.clear();
    m_lastCells.clear();
    m_handle = nullptr;
}
