#pragma once

#include <QHash>

#include "framework/TfrmZZI070.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Business site registration: the register of leasable shops (NA010MS).
// A search lists the shops by name, arcade and lease type; the editor panel
// on the left shows the current shop and writes every change into its grid
// row; new shops are taken over from the site master through the new-site
// list. Saving sends each changed row through PR_NAI010_01.
class TfrmNAI010 : public TfrmZZI070
{
    Q_OBJECT

public:
    explicit TfrmNAI010(QWidget* parent = nullptr);

    void bbtSearchClick() override;
    // Sites of the master that may become shops and are none yet, with the
    // lease type, extension and remark of shop '4001' as a starting point.
    void bbtNewUpjangClick();
    void bbt_PositionCodeClick();
    void bbt_LeaseCodeClick();
    // One handler for every panel editor: the change goes into the current
    // grid row; the two code boxes also look up their names.
    void edtShopNameChange(QObject* Sender);
    // Shows the current grid row in the panel.
    void LoadPanel();

    // Grid columns, counted from 0.
    enum TColumn {
        colShopCode, colShopName, colShopPlace, colShopPlaceName, colShopPosition, colShopLeaseType,
        colShopLeaseTypeName, colShopItem, colShopUsedYn, colShopDirectYn, colShopPhone, colShopRemark
    };

    QLineEdit* edtFindName;
    QComboBox* cbPositionSearch;
    QComboBox* cbLeaseTypeSearch;

    QLineEdit* edtShopName;
    QLineEdit* edt_PositionCode;
    QPushButton* bbt_PositionCode;
    QLineEdit* edt_PositionCodeName;
    QLineEdit* edtShopLocation;
    QLineEdit* edt_LeaseCode;
    QPushButton* bbt_LeaseCode;
    QLineEdit* edt_LeaseCodeName;
    QLineEdit* edtItem;
    QComboBox* cmbUseYN;
    QLineEdit* edtPhone;
    QPlainTextEdit* moRemark;
    QPushButton* bbtNewUpjang;

    TQuery qryNewUpjang;

protected:
    void FormCreate() override;

private:
    void BuildSearchBar();
    void BuildPanel();
    void BuildGrid();
    void FillCodeList(QComboBox* list, const QString& statement);
    void BindSearch();
    // The save columns come from the search statement's fields; a new-site
    // list loaded before any search builds them the same way.
    void EnsureSaveColumns();
    QString CodeName(const QStringList& statement, const QString& paramName, const QString& fieldName,
                     const QString& code);
    QString PanelText(QObject* editor) const;
    void ClearPanel();

    QHash<QObject*, int> m_panelColumns;
    bool m_loadingPanel = false;
};
