// The statement rewriter: any text lexes without loss, rewrites for both kinds
// of engine, and its embedded rewrite runs (bounded, read-mostly, rolled back)
// with the server functions in place. The same bytes taken as a user's text
// quoted into a literal stay one literal whose value comes back unchanged.
#include <QString>
#include <cstdlib>
#include <sqlite3.h>

#include "common/EDatabaseError.h"
#include "common/TQtSqlDialect.h"
#include "common/TSqlStatement.h"
#include "common/TSqliteDialect.h"
#include "common/TSqliteFunctions.h"
#include "controls/ESelvarError.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

sqlite3* g_db = nullptr;
int g_steps = 0;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// What a statement may do here: read, call functions, change rows of the
// in-memory tables (undone afterwards). No files, pragmas or transactions.
int Authorize(void*, int action, const char*, const char*, const char*, const char*)
{
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
    case SQLITE_DELETE:
        return SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

int Progress(void*) { return ++g_steps > 200 ? 1 : 0; }

void Exec(const char* sql) { sqlite3_exec(g_db, sql, nullptr, nullptr, nullptr); }

// Runs native text with every parameter bound to "x"; the first rows' values
// in text, or a null text when it does not run.
QList<QByteArray> Run(const QString& native)
{
    QList<QByteArray> values;
    const QByteArray utf8 = native.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    sqlite3_set_authorizer(g_db, Authorize, nullptr);
    const int rc = sqlite3_prepare_v2(g_db, utf8.constData(), int(utf8.size()), &stmt, nullptr);
    sqlite3_set_authorizer(g_db, nullptr, nullptr);
    if (rc != SQLITE_OK || !stmt)
        return values;
    for (int i = 1; i <= sqlite3_bind_parameter_count(stmt); ++i)
        sqlite3_bind_text(stmt, i, "x", 1, SQLITE_STATIC);
    Exec("SAVEPOINT FUZZ");
    g_steps = 0;
    for (int row = 0; row < 8 && sqlite3_step(stmt) == SQLITE_ROW; ++row)
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
            values << (text ? QByteArray(text, sqlite3_column_bytes(stmt, c)) : QByteArray());
        }
    sqlite3_finalize(stmt);
    Exec("ROLLBACK TO FUZZ");
    Exec("RELEASE FUZZ");
    return values;
}

void StatementText(const QString& text)
{
    const TSqlStatement statement(text);
    QString joined;
    for (const auto& t : statement.Tokens()) {
        joined += t.Text;
        if (t.Kind == TSqlStatement::tkParam) {
            Check(t.Param >= 0 && t.Param < statement.ParamNames().size());
            Check(t.Text.mid(1).compare(statement.ParamNames()[t.Param], Qt::CaseInsensitive) == 0);
        }
    }
    Check(joined == text);
    TQtSqlDialect("ORACLE").Translate(statement);
    Run(TSqliteDialect().Translate(statement));
}

// A user's text as the screens quote it: apostrophes doubled.
void QuotedUserText(QString text)
{
    text.remove(QChar(0)); // the engine ends a statement's text there
    QString literal = text;
    literal.replace(QLatin1Char('\''), QLatin1String("''"));
    literal = QLatin1Char('\'') + literal + QLatin1Char('\'');
    const QString sql = QStringLiteral("SELECT %1 AS V, :P || %1 AS W FROM DUAL").arg(literal);
    const TSqlStatement statement(sql);
    Check(statement.ParamNames() == QStringList{QStringLiteral("P")});
    int literals = 0;
    for (const auto& t : statement.Tokens())
        literals += t.Kind == TSqlStatement::tkString && t.Text == literal;
    Check(literals == 2);
    Check(TQtSqlDialect("ORACLE").Translate(statement)
          == QStringLiteral("SELECT %1 AS V, ? || %1 AS W FROM DUAL").arg(literal));
    const QList<QByteArray> values = Run(TSqliteDialect().Translate(statement));
    const QByteArray expected = text.toUtf8();
    Check(values.size() == 2);
    Check(values[0] == expected && values[0].isNull() == text.isEmpty());
    Check(values[1] == "x" + expected);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSetUp(argc, argv);
    sqlite3_open(":memory:", &g_db);
    sqlite3_limit(g_db, SQLITE_LIMIT_LENGTH, 1 << 20);
    sqlite3_progress_handler(g_db, 1000, Progress, nullptr);
    TSqliteFunctions::Register(g_db);
    Exec("CREATE TEMP VIEW DUAL AS SELECT 'X' AS DUMMY");
    Exec("CREATE TABLE T (A TEXT, B TEXT, N NUMBER, D VARCHAR(8))");
    Exec("INSERT INTO T VALUES ('0101', '매점', 1500, '20261203'), (NULL, '', -2.5, '2026130X')");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        StatementText(text);
    } catch (const ESelvarError&) {
    }
    QuotedUserText(text);
    return 0;
}
