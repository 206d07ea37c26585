#pragma once

class TDatabase;
class TStoredProc;

// The stored procedures of the lease server, one source file per procedure,
// named after it. Each refuses bad input with EDatabaseError and its Korean
// message; its business rules are described in docs/server-rules.md.
void PR_NAI010_01(TDatabase& db, const TStoredProc& proc); // shops
void PR_NAI020_01(TDatabase& db, const TStoredProc& proc); // contracts and renewals
void PR_NAI060_01(TDatabase& db, const TStoredProc& proc); // tenants
void PR_NAI070_01(TDatabase& db, const TStoredProc& proc); // sites of the site master
void PR_NBI010_01(TDatabase& db, const TStoredProc& proc); // receipts and voucher cancellation
void PR_NBI010_02(TDatabase& db, const TStoredProc& proc); // deleting one receipt line
void PR_NBI020_01(TDatabase& db, const TStoredProc& proc); // one schedule month
void PR_NBI020_02(TDatabase& db, const TStoredProc& proc); // schedule regeneration
void PR_NBI030_01(TDatabase& db, const TStoredProc& proc); // management-fee bill
void PR_NBI040_IM(TDatabase& db, const TStoredProc& proc); // import check
void PR_NBI040_01(TDatabase& db, const TStoredProc& proc); // import
void PR_NBI050_01(TDatabase& db, const TStoredProc& proc); // basic data and its initialisation
void PR_NBI060_01(TDatabase& db, const TStoredProc& proc); // one bank deposit: record, suspense part
void PR_NBI060_02(TDatabase& db, const TStoredProc& proc); // a depositor name remembered for a contract
void PR_NBI060_03(TDatabase& db, const TStoredProc& proc); // an account's statement column mapping
void PR_NDI010_01(TDatabase& db, const TStoredProc& proc); // monthly closing and its cancellation
void PR_ZZA010_01(TDatabase& db, const TStoredProc& proc); // an employee and its level
void PR_ZZA010_02(TDatabase& db, const TStoredProc& proc); // a level's program
void PR_ZZA010_03(TDatabase& db, const TStoredProc& proc); // an employee's exception
void PR_ZZA010_04(TDatabase& db, const TStoredProc& proc); // an administrator remains

// Registers every procedure above with its parameters in declaration order.
void RegisterServerProcedures();
