#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class TDatabase;
class TStoredProc;

// The stored procedures that run inside this client when the engine has none
// (SQLite, PostgreSQL). The server subsystem registers each one at start-up with
// its declared parameter names in order and its body. A body reads its inputs
// with proc.ParamByName(name), runs on the caller's connection inside the
// caller's transaction, and refuses input by throwing EDatabaseError with its
// message. Names compare without regard to case.
class TProcedureRegistry
{
public:
    using TBody = std::function<void(TDatabase&, const TStoredProc&)>;
    struct TProcedure
    {
        QString Name;
        QStringList ParamNames;
        TBody Body;
    };

    static TProcedureRegistry& Instance();

    void Register(const QString& name, const QStringList& paramNames, TBody body); // replaces
    void Unregister(const QString& name);
    const TProcedure* Find(const QString& name) const;

    // Registers a procedure for the lifetime of the guard and restores what the
    // name held before (for tests).
    class TScoped
    {
    public:
        TScoped(const QString& name, const QStringList& paramNames, TBody body);
        ~TScoped();
        TScoped(const TScoped&) = delete;
        TScoped& operator=(const TScoped&) = delete;

    private:
        QString m_name;
        std::optional<TProcedure> m_previous;
    };

private:
    QHash<QString, TProcedure> m_procedures; // by upper-case name
};
