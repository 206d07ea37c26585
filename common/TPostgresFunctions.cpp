#include "common/TPostgresFunctions.h"

namespace {

// Each entry is one statement; $f$ quotes a function body.
const char* const kFunctions[] = {
    "DROP SCHEMA IF EXISTS selvar_ora CASCADE",
    "CREATE SCHEMA selvar_ora",
    "CREATE VIEW selvar_ora.dual AS SELECT 'X'::varchar(1) AS dummy",

    // NVL: the second value takes the first one's type.
    "CREATE FUNCTION selvar_ora.nvl(text, text) RETURNS text LANGUAGE sql IMMUTABLE AS $f$SELECT COALESCE($1, $2)$f$",
    "CREATE FUNCTION selvar_ora.nvl(text, numeric) RETURNS text LANGUAGE sql IMMUTABLE AS "
    "$f$SELECT COALESCE($1, $2::text)$f$",
    "CREATE FUNCTION selvar_ora.nvl(double precision, double precision) RETURNS double precision "
    "LANGUAGE sql IMMUTABLE AS $f$SELECT COALESCE($1, $2)$f$",
    "CREATE FUNCTION selvar_ora.nvl(numeric, numeric) RETURNS numeric LANGUAGE sql IMMUTABLE AS "
    "$f$SELECT COALESCE($1, $2)$f$",
    "CREATE FUNCTION selvar_ora.nvl(timestamp, timestamp) RETURNS timestamp LANGUAGE sql IMMUTABLE AS "
    "$f$SELECT COALESCE($1, $2)$f$",

    // TO_DATE: eight digits without a format; a day that does not exist is refused.
    "CREATE FUNCTION selvar_ora.to_date(text) RETURNS timestamp(0) LANGUAGE plpgsql IMMUTABLE STRICT AS $f$"
    "BEGIN IF $1 !~ '^[0-9]{8}$' THEN RAISE EXCEPTION 'TO_DATE: ''%'' does not match the format YYYYMMDD', $1; END IF;"
    " RETURN to_timestamp($1, 'YYYYMMDD')::timestamp(0); END$f$",
    "CREATE FUNCTION selvar_ora.to_date(text, text) RETURNS timestamp(0) LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT to_timestamp($1, $2)::timestamp(0)$f$",
    "CREATE FUNCTION selvar_ora.to_date(timestamp) RETURNS timestamp(0) LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT $1::timestamp(0)$f$",

    // TO_CHAR of a text converts it to a day first; one argument is plain text.
    "CREATE FUNCTION selvar_ora.to_char(text, text) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT pg_catalog.to_char(selvar_ora.to_date($1), $2)$f$",
    "CREATE FUNCTION selvar_ora.to_char(timestamp) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT pg_catalog.to_char($1, 'YYYYMMDD')$f$",
    "CREATE FUNCTION selvar_ora.to_char(double precision) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT $1::text$f$",
    "CREATE FUNCTION selvar_ora.to_char(numeric) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT trim_scale($1)::text$f$",
    "CREATE FUNCTION selvar_ora.to_char(text) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS $f$SELECT $1$f$",

    // A number picture too narrow for the value is all '#'; a day picture is no number picture.
    "CREATE FUNCTION selvar_ora.to_char(numeric, text) RETURNS text LANGUAGE plpgsql IMMUTABLE STRICT AS $f$"
    "DECLARE r text; BEGIN IF $2 ~* '(YY|MM|DD|HH|MI:|SS)' THEN"
    " RAISE EXCEPTION 'TO_CHAR: ''%'' is not a number format', $2; END IF;"
    " r := pg_catalog.to_char($1, $2); IF strpos(r, '#') > 0 THEN r := repeat('#', length(r)); END IF;"
    " RETURN r; END$f$",
    "CREATE FUNCTION selvar_ora.to_char(double precision, text) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT selvar_ora.to_char($1::numeric, $2)$f$",
    "CREATE FUNCTION selvar_ora.to_char(bigint, text) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT selvar_ora.to_char($1::numeric, $2)$f$",
    "CREATE FUNCTION selvar_ora.to_char(integer, text) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT selvar_ora.to_char($1::numeric, $2)$f$",

    "CREATE FUNCTION selvar_ora.to_number(text) RETURNS numeric LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT trim($1)::numeric$f$",
    "CREATE FUNCTION selvar_ora.to_number(double precision) RETURNS double precision LANGUAGE sql IMMUTABLE "
    "STRICT AS $f$SELECT $1$f$",

    // ADD_MONTHS: the last day of a month goes to the last day of the target month.
    "CREATE FUNCTION selvar_ora.add_months(timestamp, numeric) RETURNS timestamp(0) LANGUAGE sql IMMUTABLE "
    "STRICT AS $f$SELECT (CASE WHEN $1::date = (date_trunc('month', $1) + interval '1 month' - interval '1 day')::date"
    " THEN date_trunc('month', $1) + make_interval(months => trunc($2)::int + 1) - interval '1 day'"
    " + ($1 OPERATOR(pg_catalog.-) date_trunc('day', $1)) ELSE $1 + make_interval(months => trunc($2)::int) END)::timestamp(0)$f$",
    "CREATE FUNCTION selvar_ora.add_months(text, numeric) RETURNS timestamp(0) LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT selvar_ora.add_months(selvar_ora.to_date($1)::timestamp, $2)$f$",
    "CREATE FUNCTION selvar_ora.last_day(timestamp) RETURNS timestamp(0) LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT (date_trunc('month', $1) + interval '1 month' - interval '1 day'"
    " + ($1 OPERATOR(pg_catalog.-) date_trunc('day', $1)))::timestamp(0)$f$",

    "CREATE FUNCTION selvar_ora.trunc(timestamp) RETURNS timestamp(0) LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT date_trunc('day', $1)::timestamp(0)$f$",
    "CREATE FUNCTION selvar_ora.trunc(double precision, integer) RETURNS numeric LANGUAGE sql IMMUTABLE STRICT "
    "AS $f$SELECT pg_catalog.trunc($1::numeric, $2)$f$",

    // SUBSTR counts from one (zero reads as one) or, when negative, from the end;
    // nothing left is NULL.
    "CREATE FUNCTION selvar_ora.substr(text, integer, integer) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT NULLIF(CASE WHEN $3 < 1 THEN NULL WHEN $2 > 0 THEN pg_catalog.substr($1, $2, $3)"
    " WHEN $2 = 0 THEN pg_catalog.substr($1, 1, $3) WHEN -$2 > length($1) THEN NULL"
    " ELSE pg_catalog.substr($1, length($1) + $2 + 1, $3) END, '')$f$",
    "CREATE FUNCTION selvar_ora.substr(text, integer) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT selvar_ora.substr($1, $2, greatest(length($1), 1))$f$",
    "CREATE FUNCTION selvar_ora.substr(bigint, integer, integer) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS "
    "$f$SELECT selvar_ora.substr($1::text, $2, $3)$f$",

    // Day arithmetic: a day plus or minus a number of days, a day minus a day in days.
    "CREATE FUNCTION selvar_ora.day_plus(timestamp, numeric) RETURNS timestamp(0) LANGUAGE sql IMMUTABLE "
    "STRICT AS $f$SELECT ($1 + $2 * interval '1 day')::timestamp(0)$f$",
    "CREATE FUNCTION selvar_ora.day_minus(timestamp, numeric) RETURNS timestamp(0) LANGUAGE sql IMMUTABLE "
    "STRICT AS $f$SELECT ($1 - $2 * interval '1 day')::timestamp(0)$f$",
    "CREATE FUNCTION selvar_ora.day_diff(timestamp, timestamp) RETURNS numeric LANGUAGE sql IMMUTABLE STRICT "
    "AS $f$SELECT extract(epoch FROM ($1 OPERATOR(pg_catalog.-) $2)) / 86400$f$",
    "CREATE OPERATOR selvar_ora.+ (LEFTARG = timestamp, RIGHTARG = numeric, FUNCTION = selvar_ora.day_plus)",
    "CREATE OPERATOR selvar_ora.- (LEFTARG = timestamp, RIGHTARG = numeric, FUNCTION = selvar_ora.day_minus)",
    "CREATE OPERATOR selvar_ora.- (LEFTARG = timestamp, RIGHTARG = timestamp, FUNCTION = selvar_ora.day_diff)",
};

} // namespace

QStringList TPostgresFunctions::Install()
{
    QStringList statements;
    for (const char* statement : kFunctions)
        statements << QString::fromUtf8(statement);
    statements << QStringLiteral("CREATE FUNCTION selvar_ora.functions_version() RETURNS integer LANGUAGE sql "
                                 "IMMUTABLE AS $f$SELECT %1$f$")
                      .arg(kVersion);
    return statements;
}
