#pragma once

#include <QString>

#include "server/TServerSql.h"

class TDatabase;

// The employees, rights levels, grants and per-employee exceptions that the
// users and rights program (ZZA010) keeps: checks and writes shared by its
// procedures. Refusals raise EDatabaseError with a Korean message.
class TRightsStore
{
public:
    explicit TRightsStore(TDatabase& db) : m_sql(db) {}

    QString EmpNoOrRefuse(const QString& text) const;      // a valid number
    void RefuseUnlessEmployee(const QString& empNo);        // an existing one
    QString ProgramOrRefuse(const QString& programId);      // a program of the registry
    static QString LevelOrRefuse(const QString& text);
    // A stored hash the client made; never a password in clear.
    static QString HashOrRefuse(const QString& text);

    // Employees in service who can sign in and open the users and rights
    // program: without one, no one could ever change rights again.
    int Administrators();

    TServerSql& Sql() { return m_sql; }

private:
    TServerSql m_sql;
};
