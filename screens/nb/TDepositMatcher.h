#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class TDatabase;

// Proposes the contract a bank deposit pays: the contract whose tenant name,
// representative or a remembered depositor name matches the depositor text,
// preferring the one whose open amount for the deposit's month equals the
// deposit; failing a name, the one contract whose open amount equals it.
// Each proposal takes its amount off the contract's open amount, so a second
// deposit of the same tenant in one file is not proposed for money already
// covered.
class TDepositMatcher
{
public:
    struct Contract
    {
        QString contCode;
        QString cName;    // tenant
        QString bossName; // representative
        QString shopName;
        QStringList depositors; // names remembered for the contract
    };
    enum TReason { mrNone, mrName, mrAmount, mrBoth };
    struct Proposal
    {
        int contract = -1; // index into Contracts(), -1 for none
        TReason reason = mrNone;
        double open = 0;   // the contract's open amount before this deposit
    };

    void AddContract(const Contract& contract);
    void SetOpen(const QString& contCode, const QString& month, double open);
    double Open(const QString& contCode, const QString& month) const;
    const std::vector<Contract>& Contracts() const { return m_contracts; }
    int IndexOf(const QString& contCode) const { return m_byCode.value(contCode, -1); }

    Proposal Propose(const QString& depositor, double amount, const QString& month);
    // Takes a deposit the clerk put on a contract off its open amount.
    void Take(int contract, const QString& month, double amount);

    // The reason as the screen shows it ("이름 일치", "금액 일치", "둘 다").
    static QString ReasonText(TReason reason);
    // A name as compared: without blanks, brackets, punctuation and the
    // company-form words banks add or drop ("(주)", "주식회사").
    static QString Normal(const QString& name);

    // Contracts under arrears management with their names, and their open
    // amounts for each month, as the receipts screen counts them.
    void Load(TDatabase& db, const QStringList& months);
    // What a contract has open in a month as the receipts screen's total line
    // shows it: scheduled + carried unpaid amount and late fee - received.
    // One contract when contCode is given, otherwise all.
    static QHash<QString, double> OpenAmounts(TDatabase& db, const QString& month, const QString& contCode = {});

private:
    std::vector<int> NameCandidates(const QString& depositor);
    static qint64 Cents(double amount) { return qint64(amount * 100 + (amount >= 0 ? 0.5 : -0.5)); }
    static QString OpenKey(int contract, const QString& month) { return QString::number(contract) + month; }

    std::vector<Contract> m_contracts;
    QHash<QString, int> m_byCode;
    QMultiHash<QString, int> m_byName; // normal name -> contract
    std::vector<std::pair<QString, int>> m_sortedNames; // the same, sorted, for cut-off names
    QHash<QString, double> m_open;     // contract index + month -> open
    QHash<QString, QMultiHash<qint64, int>> m_byAmount; // month -> open in cents -> contract
};
