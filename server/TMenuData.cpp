#include "server/TMenuData.h"

#include <QDateTime>
#include <QStringList>

#include "common/TPasswordHash.h"

#include "server/TServerSql.h"

const QString TMenuData::ProjectId = QStringLiteral("SELVAR_N");
const QString TMenuData::AdministratorEmpNo = QStringLiteral("10000001");
const QString TMenuData::AdministratorLevel = QStringLiteral("관리자");
const QString TMenuData::DemoPassword = QStringLiteral("demo1234");

std::vector<TMenuData::Code> TMenuData::Codes(const QString& databaseUser, const QString& title)
{
    return {
        {"NA001", "01", "본관 아케이드"}, {"NA001", "02", "신관 아케이드"},
        {"NA001", "03", "콘도 상가"},      {"NA001", "04", "스키하우스"},
        {"NA001", "05", "골프클럽하우스"}, {"NA001", "06", "워터파크"},
        {"NA002", "01", "임대"},           {"NA002", "02", "수수료 임대"},
        {"NA002", "03", "위탁 운영"},
        {"NA003", "01", "보증금"},         {"NA003", "02", "임대료"},
        {"NA003", "03", "관리비"},
        {"Z9999", databaseUser.toUpper(), title},
    };
}

const std::vector<TMenuData::Menu>& TMenuData::Menus()
{
    static const std::vector<Menu> menus{
        {"NA", "기준정보(&A)", 10}, {"NB", "청구관리(&B)", 20}, {"NI", "입금관리(&I)", 30},
        {"ND", "마감(&M)", 40},     {"NC", "보고서(&R)", 50},
    };
    return menus;
}

const std::vector<TMenuData::Program>& TMenuData::Programs()
{
    static const std::vector<Program> programs{
        {"NA", "NAI010", "임대업장 등록", 10},      {"NA", "NAI020", "임대계약 등록", 20},
        {"NA", "NAI030", "임대 재계약", 30},        {"NA", "NAI040", "요율 설정", 40},
        {"NA", "NAS050", "계약 현황 조회", 50},
        {"NA", "NAI060", "거래처 등록", 60},        {"NA", "NAI070", "업장 등록", 70},
        {"NB", "NBI020", "납입스케쥴 관리", 10},    {"NB", "NBI030", "관리비 청구", 20},
        {"NB", "NBI040", "관리비 자료 올리기", 30}, {"NB", "NBI050", "기초자료 등록", 40},
        {"NB", "NBS040", "청구 및 미수 조회", 50},  {"NB", "NBS070", "미수금 연령 분석", 60},
        {"NI", "NBI010", "입금 처리", 10},          {"NI", "NBS060", "가수금 조회", 20},
        {"NI", "NBI060", "은행 입금내역 가져오기", 30},
        {"ND", "NDI010", "월 마감 이월", 10},       {"ND", "NDS020", "마감 조회", 20},
        {"NC", "NCI010", "임대수수료 영업장 현황", 10},
        {"NC", "NCI020", "월 상가별 임대료 관리비 현황", 20},
        {"NC", "NCS040", "업장별 임대료 관리비 현황", 30},
        {"NC", "NCS050", "임대료 관리비 미납 현황", 40},
        {"NC", "NCS060", "업장별 임대업장 현황", 50},
        {"NC", "NCS090", "납부고지서", 60},
    };
    return programs;
}

const std::vector<TMenuData::Employee>& TMenuData::Employees()
{
    static const std::vector<Employee> employees{
        {"10000001", "김관리", "9"}, // every program
        {"10000002", "이임대", "2"}, // office work, plus closing, minus renewal
        {"10000003", "박조회", "1"}, // inquiries and reports, plus receipts
        {"10000004", "최수납", "2"}, // office work without the reports menu
        {"10000005", "정외부", ""},  // no level: one added program only
    };
    return employees;
}

const TMenuData::Menu& TMenuData::AdministrationMenu()
{
    static const Menu menu{"ZZ", "관리(&Z)", 90};
    return menu;
}

const TMenuData::Program& TMenuData::AdministrationProgram()
{
    static const Program program{"ZZ", "ZZA010", "사용자 권한 관리", 10};
    return program;
}

std::vector<TMenuData::Grant> TMenuData::Grants()
{
    const QStringList inquiries{"NAS050", "NBS040", "NBS070", "NBS060", "NDS020", "NCI010", "NCI020",
                                "NCS040", "NCS050", "NCS060", "NCS090"};
    const QStringList office{"NAI010", "NAI020", "NAI030", "NAI040", "NBI010", "NBI060",
                             "NBI020", "NBI030", "NBI040", "NAI060", "NAI070"};
    const QStringList administration{"NBI050", "NDI010"};
    std::vector<Grant> grants;
    for (const QString& p : inquiries)
        for (const char* level : {"1", "2", "9"})
            grants.push_back({level, p});
    for (const QString& p : office)
        for (const char* level : {"2", "9"})
            grants.push_back({level, p});
    for (const QString& p : administration)
        grants.push_back({"9", p});
    grants.push_back({"9", AdministrationProgram().programId});
    return grants;
}

const std::vector<TMenuData::Exception>& TMenuData::Exceptions()
{
    static const std::vector<Exception> exceptions{
        {"10000002", "NDI010", "Y"}, {"10000002", "NAI030", "N"},
        {"10000003", "NBI010", "Y"},
        {"10000004", "NCI010", "N"}, {"10000004", "NCI020", "N"}, {"10000004", "NCS040", "N"},
        {"10000004", "NCS050", "N"}, {"10000004", "NCS060", "N"}, {"10000004", "NCS090", "N"},
        {"10000004", "NBI050", "Y"}, {"10000004", "NBI050", "N"}, // removal beats addition
        {"10000005", "NAS050", "Y"},
    };
    return exceptions;
}

void TMenuData::AddEmployee(TDatabase& db, const QString& empNo, const QString& name,
                            const QString& passwordHash)
{
    TServerSql(db).Exec("INSERT INTO ZA010MS (EMP_NO, EMP_NAME, USE_YN, PASSWORD_HASH, PASSWORD_SET_AT, "
                        "PASSWORD_RESET_YN) VALUES (:EMP_NO, :EMP_NAME, 'Y', :HASH, :SET_AT, 'N')",
                        {{"EMP_NO", empNo}, {"EMP_NAME", name}, {"HASH", passwordHash},
                         {"SET_AT", QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss")}});
}

void TMenuData::AssignLevel(TDatabase& db, const QString& empNo, const QString& level)
{
    TServerSql(db).Exec("INSERT INTO ZA130MS (EMP_NO, PROJECT_ID, PROJECT_LEVEL) "
                        "VALUES (:EMP_NO, :PROJECT_ID, :PROJECT_LEVEL)",
                        {{"EMP_NO", empNo}, {"PROJECT_ID", ProjectId}, {"PROJECT_LEVEL", level}});
}

void TMenuData::FillRegistry(TDatabase& db, const std::vector<Code>& codes, const std::vector<Grant>& grants)
{
    TServerSql sql(db);
    for (const Code& c : codes)
        sql.Exec("INSERT INTO ZX010MS (HEAD, DETAIL, DETAIL_NAME) VALUES (:HEAD, :DETAIL, :DETAIL_NAME)",
                 {{"HEAD", c.head}, {"DETAIL", c.detail}, {"DETAIL_NAME", c.name}});
    std::vector<Menu> menus = Menus();
    menus.push_back(AdministrationMenu());
    for (const Menu& m : menus)
        sql.Exec("INSERT INTO ZA040MS (PROJECT_ID, MENU_ID, MENU_NAME, DISPLAY_SEQ) "
                 "VALUES (:PROJECT_ID, :MENU_ID, :MENU_NAME, :DISPLAY_SEQ)",
                 {{"PROJECT_ID", ProjectId}, {"MENU_ID", m.menuId}, {"MENU_NAME", m.name},
                  {"DISPLAY_SEQ", m.displaySeq}});
    for (const Program& p : AllPrograms())
        sql.Exec("INSERT INTO ZA050MS (PROJECT_ID, MENU_ID, PROGRAM_ID, PROGRAM_NAME, DISPLAY_SEQ) "
                 "VALUES (:PROJECT_ID, :MENU_ID, :PROGRAM_ID, :PROGRAM_NAME, :DISPLAY_SEQ)",
                 {{"PROJECT_ID", ProjectId}, {"MENU_ID", p.menuId}, {"PROGRAM_ID", p.programId},
                  {"PROGRAM_NAME", p.name}, {"DISPLAY_SEQ", p.displaySeq}});
    for (const Grant& g : grants)
        sql.Exec("INSERT INTO ZA140MS (PROJECT_ID, PROJECT_LEVEL, PROGRAM_ID) "
                 "VALUES (:PROJECT_ID, :PROJECT_LEVEL, :PROGRAM_ID)",
                 {{"PROJECT_ID", ProjectId}, {"PROJECT_LEVEL", g.level}, {"PROGRAM_ID", g.programId}});
}

std::vector<TMenuData::Program> TMenuData::AllPrograms()
{
    std::vector<Program> programs = Programs();
    programs.push_back(AdministrationProgram());
    return programs;
}

void TMenuData::Fill(TDatabase& db, const QString& databaseUser)
{
    FillRegistry(db, Codes(databaseUser), Grants());
    FillEmployees(db);
    TServerSql sql(db);
    for (const Exception& x : Exceptions())
        sql.Exec("INSERT INTO ZA150MS (EMP_NO, PROJECT_ID, PROGRAM_ID, ADD_YN) "
                 "VALUES (:EMP_NO, :PROJECT_ID, :PROGRAM_ID, :ADD_YN)",
                 {{"EMP_NO", x.empNo}, {"PROJECT_ID", ProjectId}, {"PROGRAM_ID", x.programId},
                  {"ADD_YN", x.addYn}});
}

void TMenuData::FillEmployees(TDatabase& db)
{
    const QString demoHash = TPasswordHash::Make(DemoPassword); // one salt serves the demo set
    for (const Employee& e : Employees()) {
        AddEmployee(db, e.empNo, e.name, demoHash);
        if (!e.level.isEmpty())
            AssignLevel(db, e.empNo, e.level);
    }
}
