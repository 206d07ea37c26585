#pragma once

#include <QString>
#include <vector>

// How old what a contract owes is on a reference day. The open amount of an
// amount code is the receipts screen's: what the last closing carried
// (unpaid amount and late fee) + the schedule lines of the months since
// - every receipt dated since, up to the reference day. Receipts settle the
// oldest charge first, so what is still open belongs to the newest lines:
// the open amount is laid over the lines from the newest backwards, each
// line taking at most its own amount, and every share is aged by the days
// from its line's due date to the reference day. The late fee still open is
// the oldest charge: it goes with the oldest line that holds a share.
class TArrearsAging
{
public:
    enum TBucket { abNotDue, ab1To30, ab31To60, ab61To90, ab91To180, abOver180, abCount };
    static const char* const Captions[abCount];

    struct Result
    {
        double buckets[abCount] = {0, 0, 0, 0, 0, 0};
        int longestDays = 0; // of the oldest share already due
        double Total() const;
        Result& operator+=(const Result& other);
    };

    // The bucket of a share `days` past its due date (0 or less: not yet due).
    static TBucket BucketOf(int days);
    // Days from a due date to the reference day (negative before it).
    static int DaysLate(const QString& dueDate, const QString& refDate);

    // One share of the open amount: a line's, or the late fee.
    struct Share
    {
        QString dueDate;
        double amount = 0;
        bool lateFee = false;
    };

    // Lays one amount code's open amount (without its late fee) over its
    // lines, newest first; the late fee counts from `lateFeeDate` when no line
    // holds a share. A credit (a total below 0) is held against what is not
    // yet due.
    TArrearsAging(double amount, double lateFee, const QString& lateFeeDate, const QString& refDate);
    void Take(const QString& dueDate, double amount);
    // Every won is placed; older lines would take nothing.
    bool Done() const { return m_rest <= 0; }
    // A rest beyond every line stays with the oldest line taken; without
    // any line it counts as older than 180 days.
    Result Finish();
    // The shares placed, newest first.
    const std::vector<Share>& Shares() const { return m_shares; }

private:
    void Place(const QString& dueDate, double share, bool lateFee);

    QString m_refDate;
    double m_rest;
    double m_lateFee;
    QString m_lateFeeDate;
    QString m_oldest;
    Result m_result;
    std::vector<Share> m_shares;
};
