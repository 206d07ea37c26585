#include "server/TServerProcedures.h"

#include <QStringList>

#include "common/TDatabase.h"
#include "common/TProcedureRegistry.h"
#include "common/TSqlDialect.h"

void RegisterServerProcedures()
{
    const QStringList bill{"AUPJANG_CODE", "ANAPIP_MONTH", "ATOT_MONEY", "ASUP_PRICE", "ASUP_TAX",
                           "ASUP_ELEC", "ASUP_GAS", "ASUP_CONT", "ASUP_ENVI", "ASUP_WATER",
                           "ASUP_TELE", "AU_EMP_NO", "AU_IP"};
    // Every procedure that changes what a closing reads (schedule lines,
    // bills, receipts, contracts) holds the work lock shared; a closing or its
    // cancel holds it alone. So a closing waits only for the saves already
    // running, saves asked for meanwhile wait for it and then see the month
    // closed, and neither refuses the other as a conflict.
    enum TLock { lkNone, lkShared, lkExclusive };
    struct Entry
    {
        const char* name;
        QStringList params;
        TProcedureRegistry::TBody body;
        TLock lock = lkShared;
    };
    const Entry entries[] = {
        {"PR_NAI010_01",
         {"ASHOP_CODE", "ASHOP_NAME", "ASHOP_PLACE", "ASHOP_PALCE_NAME", "ASHOP_POSITION",
          "ASHOP_LEASE_TYPE", "ASHOP_LEASE_TYPE_NAME", "ASHOP_ITEM", "ASHOP_USED_YN",
          "ASHOP_DIRECT_YN", "ASHOP_PHONE", "ASHOP_REMARK", "AU_EMP_NO", "AU_IP", "AEDITSTATUS"},
         PR_NAI010_01, lkNone},
        {"PR_NAI020_01",
         {"ACONT_CODE", "AC_CODE", "AC_NAME", "ASHOP_CODE", "ASHOP_NAME", "ACONT_START_DATE",
          "ACONT_END_DATE", "ACONT_CANCEL_DATE", "ACONT_DEPOSIT", "ACONT_LEASE_MONEY",
          "ACONT_MANAGE_PAY", "ACONT_SHOP_TYPE", "ACONT_PENALTY", "ACONT_DELAYRATE", "ACONT_SIZE1",
          "ACONT_SIZE2", "ACONT_PERMIT", "ACONT_NO", "APERMIT_DATE", "ACONT_REMARK",
          "ACONT_CANCEL_REM", "AU_EMP_NO", "AU_IP", "ACONT_DATE", "ABALANCE_DATE",
          "AFIRST_DEPOSIT", "ALAST_DEPOSIT", "AEDITSTATUS", "AMINAP_CHK", "ACONT_UPJANGNAME",
          "AMANAGE_YN"},
         PR_NAI020_01},
        {"PR_NAI060_01",
         {"AC_CODE", "AC_NAME", "ABOSS_NAME", "ABIZ_NO", "AREP_PHONE", "AMOBILE_NO", "AADDRESS", "AUSE_YN",
          "AU_EMP_NO", "AU_IP", "AEDITSTATUS"},
         PR_NAI060_01},
        {"PR_NAI070_01",
         {"AUPJANG_CODE", "AUPJANG_NAME", "AETC_FLAG", "ADIRECT_MANAGE_YN", "AUSE_YN", "AU_EMP_NO", "AU_IP",
          "AEDITSTATUS"},
         PR_NAI070_01},
        {"PR_NBI010_01",
         {"AGUBUN", "ACONT_CODE", "AAMT_CODE", "ANAPIP_MONTH", "ANAPIP_DATE", "ASLIP_CODE",
          "AIPGUM_DATE", "AIPGUM_AMT", "AREMARKS", "AU_EMP_NO", "AU_IP"},
         PR_NBI010_01},
        {"PR_NBI010_02",
         {"ACONT_CODE", "AAMT_CODE", "ANAPIP_MONTH", "ANAPIP_DATE", "ANAPIP_GUBUN", "AIPGUM_DATE",
          "AIPGUM_SEQ", "AU_EMP_NO", "AU_IP"},
         PR_NBI010_02},
        {"PR_NBI020_01",
         {"AGUBUN", "ACONT_CODE", "AAMT_CODE", "ANAPIP_MONTH", "ANAPIP_AMT", "AU_EMP_NO", "AU_IP"},
         PR_NBI020_01},
        {"PR_NBI020_02",
         {"ACONT_CODE", "AIPGUM_DATE", "ASTART_DATE", "AEND_DATE", "AU_EMP_NO", "AU_IP"},
         PR_NBI020_02},
        {"PR_NBI030_01",
         {"ACONT_CODE", "ANAPIP_MONTH", "ANAPIP_DATE", "AREQUEST_DATE", "ATOT_MONEY", "ASUP_PRICE",
          "ASUP_TAX", "ASUP_ELEC", "ASUP_GAS", "ASUP_CONT", "ASUP_ENVI", "ASUP_WATER", "ASUP_TELE",
          "ASUP_REMARK", "AU_EMP_NO", "AU_IP", "AEDITSTATUS"},
         PR_NBI030_01},
        {"PR_NBI040_IM", bill, PR_NBI040_IM, lkNone},
        {"PR_NBI040_01", bill, PR_NBI040_01},
        {"PR_NBI050_01",
         {"ACONT_CODE", "AFROM_MONTH", "ATO_MONTH", "ASHOP_CODE", "AGUBUN", "AUPJANG_CODE",
          "AAMT_CODE", "ANAPIP_MONTH", "ANAPIP_AMT", "AIPGUM_MONTH", "AIPGUM_DATE", "AIPGUM_AMT",
          "AU_EMP_NO", "AU_IP"},
         PR_NBI050_01},
        {"PR_NBI060_01",
         {"AACCOUNT_NO", "ATRAN_DATE", "ATRAN_TIME", "AIPGUM_AMT", "ABALANCE", "ADEPOSITOR", "AMEMO",
          "ATRAN_SEQ", "ACONT_CODE", "ASUSPENSE_AMT", "AU_EMP_NO", "AU_IP"},
         PR_NBI060_01},
        {"PR_NBI060_02", {"ACONT_CODE", "ADEPOSITOR", "AU_EMP_NO", "AU_IP"}, PR_NBI060_02, lkNone},
        {"PR_NBI060_03", {"AACCOUNT_NO", "ACOLUMN_MAP", "ATITLE_TEXT", "AU_EMP_NO", "AU_IP"}, PR_NBI060_03, lkNone},
        {"PR_NDI010_01",
         {"ANAPIP_MONTH", "ANAPIP_MONTH_FROM", "ANAPIP_MONTH_TO", "AGUBUN", "AU_EMP_NO", "AU_IP"},
         PR_NDI010_01, lkExclusive},
        {"PR_ZZA010_01",
         {"AEMP_NO", "AEMP_NAME", "AUSE_YN", "APROJECT_LEVEL", "APASSWORD_SET_AT", "ANEW_HASH", "AU_EMP_NO",
          "AU_IP", "AEDITSTATUS"},
         PR_ZZA010_01, lkNone},
        {"PR_ZZA010_02",
         {"APROJECT_LEVEL", "APROGRAM_ID", "APROGRAM_NAME", "AOLD_LEVEL", "AOLD_PROGRAM_ID", "AU_EMP_NO", "AU_IP",
          "AEDITSTATUS"},
         PR_ZZA010_02, lkNone},
        {"PR_ZZA010_03",
         {"AEMP_NO", "AEMP_NAME", "APROGRAM_ID", "APROGRAM_NAME", "AADD_YN", "AOLD_EMP_NO", "AOLD_PROGRAM_ID",
          "AOLD_ADD_YN", "AU_EMP_NO", "AU_IP", "AEDITSTATUS"},
         PR_ZZA010_03, lkNone},
        {"PR_ZZA010_04", {"AU_EMP_NO", "AU_IP"}, PR_ZZA010_04, lkNone},
    };
    for (const Entry& e : entries) {
        TProcedureRegistry::TBody body = e.body;
        if (e.lock != lkNone)
            body = [body, exclusive = e.lock == lkExclusive](TDatabase& db, const TStoredProc& proc) {
                db.Dialect().TakeWorkLock(exclusive);
                body(db, proc);
            };
        TProcedureRegistry::Instance().Register(QString::fromLatin1(e.name), e.params, body);
    }
}
