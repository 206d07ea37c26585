// The office tool: makes a new office on a database of Databases.ini, and
// backs it up, checks a backup and restores one.
//   selvar_admin create DATABASE --emp-no EMPNO --name NAME [--title TITLE] [--password-file FILE]
//   selvar_admin backup DATABASE FILE | verify FILE | restore FILE DATABASE
// Exit status 0 on success, 1 on refusal or failure (one line on stderr),
// 2 on wrong usage.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

#include "common/EDatabaseError.h"
#include "common/TDatabase.h"
#include "common/TPasswordHash.h"
#include "controls/ESelvarError.h"
#include "server/TNewOffice.h"
#include "server/TOfficeBackup.h"
#include "shell/PasswordScrambler.h"
#include "shell/TConnectionFile.h"
#include "shell/TOfficeConnection.h"

namespace {

const char* const kHelp =
    "사용법: selvar_admin create DATABASE --emp-no 사원번호 --name 이름 [--title 사무소이름]\n"
    "                           [--password-file 파일]\n"
    "\n"
    "Databases.ini에 DATABASE로 등록된 데이터베이스에 새 사무소를 만듭니다.\n"
    "테이블, 메뉴와 프로그램, 공통 코드, 모든 프로그램을 가진 권한 등급 \"관리자\",\n"
    "그리고 그 등급의 관리자 사원을 한 번에 씁니다. 업장이나 계약 같은 업무 자료는\n"
    "쓰지 않습니다. SQLite 파일은 새로 만들어지고, PostgreSQL 데이터베이스는 미리\n"
    "만들어 두어야 합니다. 이미 임대업장 관리의 테이블이 있는 데이터베이스는 거절하며\n"
    "아무것도 바꾸지 않습니다.\n"
    "\n"
    "  --emp-no 사원번호       관리자의 사원번호 (영문자나 숫자 1~8자리)\n"
    "  --name 이름             관리자의 이름\n"
    "  --title 사무소이름      창 제목에 붙는 사무소 이름 (기본값: DATABASE)\n"
    "  --password-file 파일    관리자 비밀번호를 이 파일의 첫 줄에서 읽습니다.\n"
    "                          없으면 터미널에서 두 번 묻습니다 (화면에 보이지 않음).\n"
    "  --help                  이 도움말\n"
    "\n"
    "\n"
    "       selvar_admin backup DATABASE FILE\n"
    "           클라이언트가 일하는 중에도 일관된 백업을 FILE에 씁니다 (SQLite는 온라인 백업,\n"
    "           PostgreSQL은 pg_dump의 custom 형식). 쓴 뒤 검사 결과를 보여 줍니다.\n"
    "       selvar_admin verify FILE\n"
    "           백업을 열어 검사합니다: 무결성, 스키마 버전, 테이블마다 행 수.\n"
    "       selvar_admin restore FILE DATABASE\n"
    "           테이블이 없는 새 데이터베이스에만 복원합니다. 테이블이 있으면 거절하고\n"
    "           아무것도 바꾸지 않습니다.\n"
    "\n"
    "종료 상태: 0 성공, 1 거절 또는 실패, 2 사용법 오류\n";

int Usage(const QString& problem)
{
    std::fprintf(stderr, "selvar_admin: %s\n'selvar_admin --help'로 사용법을 보십시오.\n", qPrintable(problem));
    return 2;
}

int Failure(const QString& message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return 1;
}

// One line read from the terminal with its echo switched off.
bool AskHidden(FILE* tty, const char* prompt, QString* answer)
{
    std::fputs(prompt, tty);
    std::fflush(tty);
    termios saved{};
    const int fd = fileno(tty);
    const bool hide = tcgetattr(fd, &saved) == 0;
    if (hide) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(fd, TCSAFLUSH, &quiet);
    }
    char buffer[1024];
    const bool read = std::fgets(buffer, sizeof buffer, tty) != nullptr;
    if (hide)
        tcsetattr(fd, TCSAFLUSH, &saved);
    std::fputs("\n", tty);
    if (read)
        *answer = QString::fromLocal8Bit(buffer).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    return read;
}

// The administrator's password: the file's first line, or asked twice.
bool ReadPassword(const QString& file, QString* password, QString* problem)
{
    if (!file.isEmpty()) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) {
            *problem = QStringLiteral("비밀번호 파일을 읽을 수 없습니다: ") + file;
            return false;
        }
        *password = QString::fromUtf8(f.readLine()).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
        return true;
    }
    FILE* tty = std::fopen("/dev/tty", "r+");
    if (!tty) {
        *problem = QStringLiteral("비밀번호를 물을 터미널이 없습니다. --password-file로 주십시오.");
        return false;
    }
    QString again;
    const bool answered = AskHidden(tty, "관리자 비밀번호: ", password)
                          && AskHidden(tty, "비밀번호 확인: ", &again);
    std::fclose(tty);
    if (!answered) {
        *problem = QStringLiteral("비밀번호를 읽지 못했습니다.");
        return false;
    }
    if (again != *password) {
        *problem = QStringLiteral("두 번 입력한 비밀번호가 같지 않습니다.");
        return false;
    }
    return true;
}

void RemoveDatabaseFile(const QString& path)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

int Create(const QString& appDir, const QString& databaseName, TNewOffice::Options options,
           const QString& passwordFile)
{
    TConnectionFile::Entry entry;
    try {
        entry = TConnectionFile::Resolve(appDir, databaseName);
        options.databaseUser = TOfficeConnection::DatabaseUser(appDir, databaseName);
        entry.settings.User = options.databaseUser;
        entry.settings.Password = ResolvePassword(appDir, options.databaseUser);
    } catch (const ESelvarError& e) {
        return Failure(e.Message());
    }
    if (entry.demo)
        return Failure(QStringLiteral("데모 데이터베이스에는 사무소를 만들 수 없습니다. "
                                      "Databases.ini에 새 데이터베이스의 구역을 만드십시오."));
    // Number and name are checked before the password is asked for.
    TNewOffice::Options named = options;
    named.password = QString(TPasswordHash::MinimumLength(), QLatin1Char('x'));
    QString problem = TNewOffice::CheckOptions(named);
    if (!problem.isEmpty())
        return Failure(problem);
    if (!ReadPassword(passwordFile, &options.password, &problem))
        return Failure(problem);
    problem = TNewOffice::CheckOptions(options);
    if (!problem.isEmpty())
        return Failure(problem);

    const bool sqlite = entry.settings.Driver.compare(QStringLiteral("SQLITE"), Qt::CaseInsensitive) == 0;
    const QString path = entry.settings.Path;
    const bool made = sqlite && !QFileInfo::exists(path);
    if (sqlite && path.isEmpty())
        return Failure(QStringLiteral("'%1' 구역에 Path가 없습니다.").arg(databaseName));
    if (made && !QDir().mkpath(QFileInfo(path).absolutePath()))
        return Failure(QStringLiteral("데이터 폴더를 만들 수 없습니다: ") + QFileInfo(path).absolutePath());
    {
        TDatabase db(entry.settings);
        try {
            db.Open();
            TNewOffice::Create(db, databaseName, options);
            db.Close();
        } catch (const ESelvarError& e) {
            db.Close();
            if (made)
                RemoveDatabaseFile(path);
            return Failure(e.Message());
        }
    }
    std::printf("'%s' 데이터베이스에 새 사무소를 만들었습니다. 관리자 %s(%s)로 로그인하십시오.\n",
                qPrintable(databaseName), qPrintable(options.name), qPrintable(options.empNo));
    return 0;
}

// The connection a name of Databases.ini stands for, with its user and password.
TConnectionSettings Connection(const QString& appDir, const QString& databaseName)
{
    TConnectionFile::Entry entry = TConnectionFile::Resolve(appDir, databaseName);
    entry.settings.User = TOfficeConnection::DatabaseUser(appDir, databaseName);
    entry.settings.Password = ResolvePassword(appDir, entry.settings.User);
    return entry.settings;
}

void PrintReport(const TOfficeBackup::TReport& report)
{
    std::printf("%s 백업, 스키마 버전 %d\n", qPrintable(report.kind), report.schemaVersion);
    for (const auto& table : report.tables)
        std::printf("  %-16s %12lld행\n", qPrintable(table.table), static_cast<long long>(table.rows));
}

int BackupCommand(const QString& appDir, const QStringList& args)
{
    const QString& command = args.first();
    const int operands = command == QLatin1String("verify") ? 1 : 2;
    if (args.size() != operands + 1)
        return Usage(command == QLatin1String("verify") ? QStringLiteral("verify FILE 형식입니다.")
                     : command == QLatin1String("backup") ? QStringLiteral("backup DATABASE FILE 형식입니다.")
                                                          : QStringLiteral("restore FILE DATABASE 형식입니다."));
    TOfficeBackup backup;
    try {
        if (command == QLatin1String("backup")) {
            backup.Backup(Connection(appDir, args.at(1)), args.at(2));
            std::printf("'%s' 데이터베이스를 %s에 백업했습니다.\n", qPrintable(args.at(1)), qPrintable(args.at(2)));
            PrintReport(backup.Verify(args.at(2)));
        } else if (command == QLatin1String("verify")) {
            PrintReport(backup.Verify(args.at(1)));
            std::printf("백업에 이상이 없습니다.\n");
        } else {
            backup.Restore(args.at(1), Connection(appDir, args.at(2)));
            std::printf("%s를 '%s' 데이터베이스에 복원했습니다.\n", qPrintable(args.at(1)), qPrintable(args.at(2)));
        }
    } catch (const ESelvarError& e) {
        return Failure(e.Message());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (args.isEmpty())
        return Usage(QStringLiteral("명령이 없습니다."));
    const QString appDir = QDir(app.applicationDirPath()).absolutePath() + QLatin1Char('/');
    if (QStringList{"backup", "verify", "restore"}.contains(args.first()))
        return BackupCommand(appDir, args);
    if (args.first() != QLatin1String("create"))
        return Usage(QStringLiteral("알 수 없는 명령입니다: ") + args.first());
    QString database, passwordFile;
    TNewOffice::Options options;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        QString* target = a == QLatin1String("--emp-no")          ? &options.empNo
                          : a == QLatin1String("--name")          ? &options.name
                          : a == QLatin1String("--title")         ? &options.title
                          : a == QLatin1String("--password-file") ? &passwordFile
                                                                  : nullptr;
        if (target) {
            if (i + 1 >= args.size())
                return Usage(a + QStringLiteral(" 다음에 값이 없습니다."));
            *target = args.at(++i);
        } else if (a.startsWith(QLatin1String("--")) || !database.isEmpty()) {
            return Usage(QStringLiteral("알 수 없는 인자입니다: ") + a);
        } else {
            database = a;
        }
    }
    if (database.isEmpty())
        return Usage(QStringLiteral("DATABASE가 없습니다."));
    if (options.empNo.isEmpty() || options.name.isEmpty())
        return Usage(QStringLiteral("--emp-no와 --name이 필요합니다."));
    if (options.title.isEmpty())
        options.title = database;
    return Create(appDir, database, options, passwordFile);
}
