#pragma once

#include <QFile>
#include <QHash>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <vector>

#include "common/TDatabase.h"
#include "common/TQuery.h"
#include "server/TSchema.h"
#include "tests/support/TTestEngine.h"

// A database file with the schema and the small data set of tests/data, plus
// the screens' statements by name.
class ScreenDatabase : public ::testing::Test
{
public:
    using TRows = std::vector<QStringList>;
    using TBindings = std::map<QString, QString>;

protected:

    void SetUp() override
    {
        fresh = std::make_unique<TTestEngine::TFreshDatabase>(dir.filePath("lease.db"));
        db.SetSettings(fresh->Settings());
        db.Open();
        TSchema::Create(db);
        for (const QString& line : ReadData("screen_fixture.sql").split('\n')) {
            if (line.trimmed().isEmpty() || line.startsWith("--"))
                continue;
            Exec(line.trimmed().chopped(1));
        }
        LoadStatements();
    }

    static QString ReadData(const QString& name)
    {
        QFile f(QStringLiteral(SELVAR_TEST_DATA_DIR) + "/" + name);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        return QString::fromUtf8(f.readAll());
    }

    void LoadStatements()
    {
        QString name;
        for (const QString& line : ReadData("screen_statements.sql").split('\n')) {
            if (line.startsWith("-- @")) {
                name = line.mid(4).trimmed();
                order.append(name);
            } else if (!name.isEmpty() && !line.startsWith("--")) {
                statements[name] += line + "\n";
            }
        }
    }

    void Exec(const QString& sql)
    {
        TQuery q(db);
        q.SQL() << sql;
        q.ExecSQL();
    }

    // Runs a named statement with the given bindings; every row as texts.
    TRows Rows(const QString& name, const TBindings& bindings = {})
    {
        TQuery q(db);
        Prepare(q, name, bindings);
        q.Open();
        TRows rows;
        for (; !q.Eof(); q.Next()) {
            QStringList row;
            for (int i = 0; i < q.FieldCount(); ++i)
                row << q.Fields(i).AsString();
            rows.push_back(row);
        }
        return rows;
    }

    void Prepare(TQuery& q, const QString& name, const TBindings& bindings)
    {
        EXPECT_TRUE(statements.contains(name)) << name.toStdString();
        q.SQL() << statements.value(name);
        for (const auto& [param, value] : bindings)
            q.ParamByName(param).SetAsString(value);
    }

    void TearDown() override { db.Close(); }

    QTemporaryDir dir;
    std::unique_ptr<TTestEngine::TFreshDatabase> fresh;
    TDatabase db;
    QHash<QString, QString> statements;
    QStringList order;
};
