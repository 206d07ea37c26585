#pragma once

#include <QString>
#include <vector>

class TDatabase;

// The code table entries, menus, programs and rights of the client. The menu
// bar of an employee shows the programs granted to the employee's rights
// level, plus the programs added ('Y') and minus those removed ('N') for the
// employee alone.
class TMenuData
{
public:
    static const QString ProjectId;           // "SELVAR_N"
    static const QString AdministratorEmpNo;  // sees every menu

    struct Code { QString head, detail, name; };
    struct Menu { QString menuId, name; int displaySeq; };
    struct Program { QString menuId, programId, name; int displaySeq; };
    struct Employee { QString empNo, name, level; };   // level empty: no level row
    struct Grant { QString level, programId; };
    struct Exception { QString empNo, programId, addYn; };

    static const QString AdministratorLevel;  // "관리자" in a new office
    static const QString DemoPassword;        // every demonstration employee's

    // The title row 'Z9999' carries the office's title.
    static std::vector<Code> Codes(const QString& databaseUser,
                                   const QString& title = QStringLiteral("데모 리조트"));
    static const std::vector<Menu>& Menus();
    static const std::vector<Program>& Programs();
    static const std::vector<Employee>& Employees();
    static std::vector<Grant> Grants();
    static const std::vector<Exception>& Exceptions();
    // The administration menu and its program (users and rights), which only
    // administrators are granted.
    static const Menu& AdministrationMenu();
    static const Program& AdministrationProgram();

    // Programs() and the administration program: what a new office holds.
    static std::vector<Program> AllPrograms();

    // The employee's own row: number, name, in service, password hash.
    static void AddEmployee(TDatabase& db, const QString& empNo, const QString& name,
                            const QString& passwordHash);
    static void AssignLevel(TDatabase& db, const QString& empNo, const QString& level);
    // Codes, the menus and every program, and the given grants.
    static void FillRegistry(TDatabase& db, const std::vector<Code>& codes, const std::vector<Grant>& grants);
    // The demonstration employees with their levels; an older demonstration
    // database without them gets them this way.
    static void FillEmployees(TDatabase& db);
    // Writes every row above (the employees with the demonstration password);
    // the database user names the title suffix row.
    static void Fill(TDatabase& db, const QString& databaseUser);
};
