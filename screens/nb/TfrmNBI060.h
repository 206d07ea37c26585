#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <vector>

#include "framework/TfrmZZI000.h"
#include "screens/nb/TBankStatement.h"
#include "screens/nb/TDepositMatcher.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class TwMemGrid;

// Bank deposits from the account's statement file: reads the bank's download
// (.xlsx, .xls, .csv), finds its columns from the title row (the clerk may
// correct them; the mapping is remembered per account), proposes the contract
// each deposit pays and books the whole file at once: deposits on contracts
// as receipts, the rest as suspense voucher lines for the suspense receipts
// screen. Lines booked from an earlier file show greyed as "이미 처리됨".
class TfrmNBI060 : public TfrmZZI000
{
    Q_OBJECT

public:
    explicit TfrmNBI060(QWidget* parent = nullptr);

    void bbtFileOpenClick();
    // Reads the file and proposes; false when it could not be read (the
    // message was shown and the grid is empty).
    bool LoadFile(const QString& fileName);
    void bbtRereadClick();   // reads the file again with the columns chosen
    void bbtChangeClick();   // puts the current line on a contract of the lookup
    void bbtUnmatchClick();  // leaves the current line to the suspense account
    void bbtBookClick();     // "입금 처리"
    // Puts a line on a contract (the lookup's choice); asks whether to
    // remember the depositor's name for it.
    void SetContract(int row, const QString& contCode);

    enum TColumn {
        colRow, colDateTime, colDepositor, colAmount, colBalance, colMemo, colContCode, colCName, colShopName,
        colOpen, colReason, colAction
    };

    QLineEdit* edtAccountNo;
    QLineEdit* edtFileName;
    QPushButton* bbtFileOpen;
    QSpinBox* spnTitleRow;
    QComboBox* cmbDate;
    QComboBox* cmbTime;
    QComboBox* cmbDeposit;
    QComboBox* cmbWithdrawal;
    QComboBox* cmbBalance;
    QComboBox* cmbDepositor;
    QComboBox* cmbMemo;
    QPushButton* bbtReread;
    TwMemGrid* rgrGrid;
    QPushButton* bbtChange;
    QPushButton* bbtUnmatch;
    QPushButton* bbtBook;
    QLabel* lblSummary;

private:
    struct TRow
    {
        TBankLine line;
        QString contCode, cName, shopName, reason;
        double open = 0;
        bool done = false;     // booked from an earlier file
        bool remember = false; // keep the depositor name for the contract
    };

    QWidget* BuildMapping(QWidget* parent);
    void BuildGrid();
    std::vector<QComboBox*> Combos() const;
    void FillCombos(const TBankColumns& columns);
    TBankColumns ChosenColumns() const;
    bool Propose(const TBankColumns& columns);
    void FillGrid();
    void FillLine(int row);
    QString Action(const TRow& row) const;
    void ShowSummary();
    QString TitleText(const TBankColumns& columns) const;
    TBankColumns RememberedColumns(const QString& account) const;
    int CurrentRow() const;
    void ShowContract(TRow& row, const QString& contCode);
    QHash<QString, QString> RecordedKeys(const QString& account, const std::vector<TBankLine>& lines) const;

    TBankTable m_table;
    std::vector<TRow> m_rows;
    TDepositMatcher m_matcher;
    QSet<QString> m_closedMonths;
    QString m_recordedAccount; // the account the lines were checked against
    bool m_accountFromFile = false; // the account field holds what the last file named
};
