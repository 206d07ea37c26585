#pragma once

#include <QStringList>

// The server functions and operators the statements rely on, as PostgreSQL
// text: they live in their own schema (selvar_ora), which the session searches
// before the engine's own catalogue, so that an Oracle name with the engine's
// signature (TO_DATE, SUBSTR, date - date) takes the Oracle meaning.
namespace TPostgresFunctions {

constexpr int kVersion = 2;
constexpr const char* kSchema = "selvar_ora";

// Statements that (re)create the schema; run in one transaction.
QStringList Install();

} // namespace TPostgresFunctions
