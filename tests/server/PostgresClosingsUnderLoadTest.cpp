#include <QElapsedTimer>
#include <QHash>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

#include "common/EDatabaseError.h"
#include "common/TBusinessClock.h"
#include "common/TPostgresDialect.h"
#include "common/TSqlDialect.h"
#include "tests/server/ServerTestSupport.h"

// Four clerks book receipts of one month without a pause, on the same
// contracts, while a fifth closes that month: the closing goes through at
// its first try, and each receipt lands on one side of it.
namespace {

QString Contract(int n) { return QStringLiteral("%1").arg(n, 6, 10, QLatin1Char('0')); }

QMap<QString, QString> Receipt(const QString& contract)
{
    return {{"AGUBUN", "I"}, {"ACONT_CODE", contract}, {"AAMT_CODE", "02"}, {"ANAPIP_MONTH", "202502"},
            {"AIPGUM_DATE", "20250220"}, {"AIPGUM_AMT", "1000"}};
}

QMap<QString, QString> Closing(const QString& month)
{
    return {{"ANAPIP_MONTH", month}, {"ANAPIP_MONTH_FROM", ""}, {"ANAPIP_MONTH_TO", ""}, {"AGUBUN", "I"}};
}

struct TBooking
{
    QString contract;
    QString outcome;
    bool afterClosing = false; // begun once the closing had committed
};

} // namespace

TEST(PostgresClosingsUnderLoad, AClosingGetsItsTurnAndEveryReceiptLandsOnOneSideOfIt)
{
    const TBusinessClock::TScoped today(QDate(2025, 3, 15));
    TServerTestDb t;
    for (int c = 1; c <= 4; ++c) {
        t.AddContract(Contract(c), "4001", "20250110", "20251209");
        ASSERT_EQ(t.Call("PR_NBI020_02", {{"ACONT_CODE", Contract(c)}, {"AIPGUM_DATE", "20250110"},
                                          {"ASTART_DATE", "20250110"}, {"AEND_DATE", "20251209"}}), "");
    }
    ASSERT_EQ(t.Call("PR_NDI010_01", Closing("202501")), "");

    std::atomic<bool> stop{false};
    std::atomic<bool> closed{false};
    std::vector<std::vector<TBooking>> bookings(4);
    std::vector<std::thread> clerks;
    for (int i = 0; i < 4; ++i)
        clerks.emplace_back([&, i] {
            TDatabase db(t.Settings());
            db.Open();
            for (int n = 0; !stop; ++n) {
                TBooking booking{Contract((i + n) % 4 + 1), {}, closed.load()};
                booking.outcome = TServerTestDb::SaveOn(db, "PR_NBI010_01", Receipt(booking.contract));
                bookings[i].push_back(booking);
            }
            db.Close();
        });
    QThread::msleep(300);
    TDatabase closer(t.Settings());
    closer.Open();
    QElapsedTimer took;
    took.start();
    const QString closing = TServerTestDb::SaveOn(closer, "PR_NDI010_01", Closing("202502"));
    const qint64 closingMs = took.elapsed();
    closed = true;
    QThread::msleep(300);
    stop = true;
    for (auto& clerk : clerks)
        clerk.join();

    EXPECT_EQ(closing, "");
    EXPECT_LT(closingMs, 10000);
    const QString closedMessage = "2025년 02월은 마감되어 입금할 수 없습니다.";
    QHash<QString, int> booked;
    int before = 0, after = 0;
    for (const auto& clerk : bookings)
        for (const TBooking& b : clerk) {
            (b.afterClosing ? after : before) += 1;
            if (b.outcome.isEmpty()) {
                EXPECT_FALSE(b.afterClosing) << "a receipt was booked into the closed month";
                booked[b.contract] += 1;
            } else if (b.afterClosing) {
                EXPECT_EQ(b.outcome, closedMessage);
            } else if (b.outcome != closedMessage) {
                // Two clerks on one contract at the same moment: a true conflict.
                EXPECT_EQ(b.outcome, TPostgresDialect::RetryMessage());
            }
        }
    EXPECT_GT(before, 0);
    EXPECT_GT(after, 0);
    // Every receipt booked is stored once and is in the closing.
    for (int c = 1; c <= 4; ++c) {
        const QString where = "CONT_CODE = '" + Contract(c) + "' AND AMT_CODE = '02' AND NAPIP_MONTH = '202502'";
        SCOPED_TRACE(Contract(c).toStdString());
        EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB020MS WHERE " + where).toInt(), booked.value(Contract(c)));
        EXPECT_EQ(t.Scalar("SELECT CAST(IPGUM_AMT + IPGUM_DELAYAMT AS INTEGER) FROM NB030MS WHERE " + where).toInt(),
                  1000 * booked.value(Contract(c)));
    }
}

// A closing holds the work lock beyond a booking's patience: the booking is
// told why it waited, not that another save came first.
TEST(PostgresClosingsUnderLoad, ABookingThatWaitsTooLongForAClosingSaysSo)
{
    const TBusinessClock::TScoped today(QDate(2025, 3, 15));
    TServerTestDb t;
    t.AddContract(Contract(1), "4001", "20250110", "20251209");
    ASSERT_EQ(t.Call("PR_NBI020_02", {{"ACONT_CODE", Contract(1)}, {"AIPGUM_DATE", "20250110"},
                                      {"ASTART_DATE", "20250110"}, {"AEND_DATE", "20251209"}}), "");
    t.Db().StartTransaction();
    t.CallIn("PR_NDI010_01", Closing("202501")); // held open
    TDatabase clerk(t.Settings());
    clerk.Open();
    clerk.Dialect().ExecuteDirect("SET lock_timeout = '200ms'");
    EXPECT_EQ(TServerTestDb::SaveOn(clerk, "PR_NBI010_01", Receipt(Contract(1))), TPostgresDialect::WorkLockTimeoutMessage());
    t.Db().Commit();
    EXPECT_EQ(TServerTestDb::SaveOn(clerk, "PR_NBI010_01", Receipt(Contract(1))), "");
}
