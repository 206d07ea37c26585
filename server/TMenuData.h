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

    static std::vector<Code> Codes(const QString& databaseUser);
    static const std::vector<Menu>& Menus();
    static const std::vector<Program>& Programs();
    static const std::vector<Employee>& Employees();
    static std::vector<Grant> Grants();
    static const std::vector<Exception>& Exceptions();

    // Writes every row above; the database user names the title suffix row.
    static void Fill(TDatabase& db, const QString& databaseUser);
};
