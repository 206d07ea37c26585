#pragma once

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStringList>
#include <algorithm>

#include "common/TDatabase.h"
#include "common/TQuery.h"
#include "server/TSchema.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/TTestEngine.h"

// A program folder with the office tool, the client and a Databases.ini whose
// section OFFICE names a fresh database (a file, or one on the PostgreSQL
// test server), as an office installs them.
class OfficeFolder : public ProgramFolder
{
public:
    OfficeFolder() : fresh(Path("office.db"))
    {
        for (const char* program : {SELVAR_ADMIN_PATH, SELVAR_CLIENT_PATH, SELVAR_XLSREAD_PATH})
            QFile::copy(program, Path(QFileInfo(program).fileName()));
        QSettings ini(Path("Databases.ini"), QSettings::IniFormat);
        const TConnectionSettings& s = fresh.Settings();
        if (s.Driver == "SQLITE") {
            ini.setValue("OFFICE/Path", "office.db");
        } else {
            ini.setValue("OFFICE/Driver", "POSTGRES");
            ini.setValue("OFFICE/Host", s.Host);
            ini.setValue("OFFICE/Port", s.Port);
            ini.setValue("OFFICE/Database", s.Database);
            ini.setValue("OFFICE/User", s.User);
        }
    }

    // The database user the launcher and the tool sign in with.
    QString User() const { return fresh.Settings().Driver == "SQLITE" ? "SELVAR" : fresh.Settings().User; }

    TConnectionSettings Settings() const
    {
        TConnectionSettings s = fresh.Settings();
        s.User = User();
        s.Password = User();
        return s;
    }

    struct Result
    {
        int code = -1;
        QString out, err;
    };

    Result Run(const QString& program, const QStringList& arguments,
               const QStringList& environment = {}) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_DATA_HOME", Path("data"));
        for (const QString& e : environment)
            env.insert(e.section('=', 0, 0), e.section('=', 1));
        p.setProcessEnvironment(env);
        p.start(Path(program), arguments);
        p.waitForFinished(120000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    // Creates the office with administrator A0000001 and password "secret12".
    Result Create(const QStringList& extra = {}) const
    {
        QFile pw(Path("pw.txt"));
        pw.open(QIODevice::WriteOnly);
        pw.write("secret12\n");
        pw.close();
        return Run("selvar_admin", QStringList{"create", "OFFICE", "--emp-no", "A0000001", "--name", "한관리",
                                               "--title", "설악 사무소", "--password-file", Path("pw.txt")}
                                       + extra);
    }

    // Every row of every table of the client, as text.
    QStringList Dump() const
    {
        TDatabase db(Settings());
        db.Open();
        QStringList rows;
        for (const QString& table : TSchema::ClientTablesIn(db)) {
            TQuery q(db);
            q.SQL() << "SELECT * FROM " + table;
            q.Open();
            for (; !q.Eof(); q.Next()) {
                QStringList fields;
                for (int f = 0; f < q.FieldCount(); ++f)
                    fields << q.Fields(f).AsString();
                rows << table + ":" + fields.join('|');
            }
        }
        rows.sort();
        return rows;
    }

    TTestEngine::TFreshDatabase fresh;
};
