#pragma once

#include <QHash>

#include "framework/TfrmZZI070.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TwCustomMaskEdit;
class TwNumEdit;

// Lease contract registration: the contracts between a trading partner and a
// shop (NA020MS). A search lists them by site name and state; the editor
// panel on the left shows the current contract and writes every change into
// its grid row; a contract is terminated through the termination panel,
// never deleted. Saving sends each changed row through PR_NAI020_01.
//
// The re-contract screen (TfrmNAI030) shares the panel and its arithmetic.
class TfrmNAI020 : public TfrmZZI070
{
    Q_OBJECT

public:
    explicit TfrmNAI020(QWidget* parent = nullptr);

    void bbtSearchClick() override;
    void bbtSaveClick() override;
    void bbtCancelClick() override;
    void bbtAddClick() override;
    // Terminates the contract shown, or takes the termination back.
    void bbtCancelCheckInClick();
    void bbt_CCodeClick();
    void bbt_UpjangCodeClick();
    // One handler for every panel editor.
    virtual void edt_CCodeChange(QObject* Sender);
    // Enter in the contract date or the deposit; true when it was taken.
    virtual bool nedDepositKeyPress(QWidget* Sender);
    void LoadPanel();
    void ClearPanel();

    // Grid columns, counted from 0, in the order of the search's fields.
    enum TColumn {
        colContCode, colCCode, colCName, colShopCode, colShopName, colStartDate, colEndDate, colCancelDate,
        colDeposit, colLeaseMoney, colManagePay, colShopType, colPenalty, colDelayRate, colSize1, colSize2,
        colPermit, colContNo, colPermitDate, colRemark, colCancelRem, colContDate, colBalanceDate,
        colFirstDeposit, colLastDeposit, colMinapChk, colUpjangName, colManageYn
    };

    QLineEdit* edtFindName;
    QComboBox* cbContractYN;

    QLineEdit* edt_CCode;
    QPushButton* bbt_CCode;
    QLineEdit* edt_CCodeName;
    QLineEdit* edt_UpjangCode;
    QPushButton* bbt_UpjangCode;
    QLineEdit* edt_UpjangCodeName;
    TwCustomMaskEdit* MedContDate;
    TwNumEdit* nedDeposit;
    TwNumEdit* firstDeposit;
    TwNumEdit* lastDeposit;
    TwCustomMaskEdit* medSDate;
    TwCustomMaskEdit* medEDate;
    TwCustomMaskEdit* MedBalDate;
    TwNumEdit* nedTotMoney;
    TwNumEdit* nedMagMoney;
    QLineEdit* nedAllSize;
    QLineEdit* nedContSize;
    TwNumEdit* nedDelayRate;
    QPlainTextEdit* moRemark;
    QLineEdit* edt_ContUpjangName = nullptr;
    QComboBox* cmb_ManageYN = nullptr;
    QLineEdit* edtPermit;
    QLineEdit* edtPermitNo;
    TwCustomMaskEdit* medPDate;
    QLineEdit* edtShopType;
    TPanel* panContCancel;
    TwCustomMaskEdit* medContCanceldate;
    QPlainTextEdit* moCancelReason;
    QCheckBox* chkNextSave;
    QPushButton* bbtCancelCheckIn;
    // Every term of the contract shown: the earlier ones renewals kept, then
    // the running one.
    QPlainTextEdit* moTerms;

    TQuery qryDate;

protected:
    // The re-contract screen's form: its grid's last three columns, panel and
    // search differ.
    TfrmNAI020(bool renewal, QWidget* parent);

    void FormCreate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Writes a value into a column of the current row, putting it into editing.
    void WriteCell(int column, const QString& text);
    void WriteAmount(int column, const TwNumEdit* box);
    // The current grid row, or -1 when there is none to write into.
    int EditRow();
    QString CodeName(const QStringList& statement, const QString& paramName, const QString& code);
    void RefreshPartnerName(bool writeColumn);
    void RefreshSiteName(bool writeColumn);
    // Amount boxes take a cell's whole amount, and only when it holds one.
    void LoadAmount(TwNumEdit* box, int column, int row);
    void ShowCancelPanel(bool shown);
    void ShowTerms();

    const bool m_renewal;
    TwNumEdit* m_addRate = nullptr; // the re-contract screen's additional rate
    bool m_loadingPanel = false;
    QHash<QObject*, int> m_panelColumns;
    // Where the re-contract screen adds its rows to the panel.
    QGridLayout* m_form = nullptr;
    int m_formLine = 0;

private:
    void Build();
    void BuildSearchBar();
    void BuildPanel();
    void BuildGrid();
    void WireChange(QWidget* editor);
    void BindSearch();
};
