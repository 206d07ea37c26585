#pragma once

#include <QString>

class TStoredProc;

// The text inputs of one stored-procedure call.
class TProcedureArgs
{
public:
    explicit TProcedureArgs(const TStoredProc& proc) : m_proc(proc) {}

    QString Raw(const QString& name) const;  // as sent; Null is empty
    QString Text(const QString& name) const; // trimmed
    // AU_EMP_NO, refused when empty: every write records who made it.
    QString EmpNo() const;
    QString Ip() const;

private:
    const TStoredProc& m_proc;
};
