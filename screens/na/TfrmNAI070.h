#pragma once

#include "screens/TRegisterScreen.h"

class QComboBox;
class QLineEdit;

// Site registration: the sites of the site master (JA010MS). A site that may
// be leased gets the next free code beginning with 4 on save, any other site
// one beginning with 1; a leasable site then appears in the new-site list of
// the shop register. A site with a shop or a contract cannot be deleted.
// Saving sends each changed row through PR_NAI070_01.
class TfrmNAI070 : public TRegisterScreen
{
    Q_OBJECT

public:
    explicit TfrmNAI070(QWidget* parent = nullptr);

    // Grid columns, counted from 0, in the order of the search statement's fields.
    enum TColumn { colCode, colName, colLeasable, colDirect, colUseYn };

    QLineEdit* edtFindName;

    QLineEdit* edtCode;
    QLineEdit* edtName;
    QComboBox* cmbLeasable;
    QComboBox* cmbDirect;
    QComboBox* cmbUseYN;

protected:
    void BindSearch() override;
};
