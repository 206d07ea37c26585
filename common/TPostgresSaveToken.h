#pragma once

#include <QByteArray>
#include <QStringList>

// The mark every transaction on the shared server leaves in the database: a
// random 128-bit value made before the transaction begins and written as one
// row of a small table by the transaction itself. The row exists only if that
// transaction committed, so a COMMIT that got no answer is decided by looking
// its mark up, never by the transaction's number (a server restarted after a
// crash gives the numbers of transactions it lost to new ones).
namespace TPostgresSaveToken {

// A new mark: 32 hex digits from the system's random source.
QByteArray New();

// Creates the table where it is missing (its rows survive an upgrade of the
// server functions), and the empty table whose lock is the work lock.
QStringList Install();

// The statement that writes the mark (sent in one round trip with BEGIN).
QByteArray Insert(const QByteArray& token);

// The look-up, with the mark as $1, run outside a transaction: it writes the
// mark where it is missing, so "no row written" means that the transaction
// committed. While that transaction still runs, the statement waits for its
// end; once it ran, the lost transaction can no longer commit (its own row
// would be a duplicate).
constexpr const char* kClaim =
    "INSERT INTO selvar_save.save_token (token) VALUES ($1::uuid) ON CONFLICT (token) DO NOTHING";

// Marks older than a day are of no use any more.
constexpr const char* kPrune = "DELETE FROM selvar_save.save_token WHERE saved_at < now() - interval '1 day'";

} // namespace TPostgresSaveToken
