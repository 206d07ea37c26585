#pragma once

#include "framework/TfrmZZI070.h"

class QComboBox;
class QLabel;
class QPushButton;

// Users and rights: the employees who sign in (number, name, in service,
// rights level, a new password), the programs each rights level grants
// (ZA140MS) and the programs added or removed for one employee (ZA150MS).
// One of the three lists is edited at a time, chosen before the search; each
// saves through its own procedure, and every save ends with the check that
// someone can still open this program.
class TfrmZZA010 : public TfrmZZI070
{
    Q_OBJECT

public:
    enum TView { vwEmployees, vwGrants, vwExceptions };
    // Columns of the employee list.
    enum TEmployeeColumn { ecEmpNo, ecEmpName, ecUseYn, ecLevel, ecPasswordSetAt, ecNewHash };

    explicit TfrmZZA010(QWidget* parent = nullptr);

    // Only in search mode: the list, its columns, statement and procedure.
    void SetView(TView view);
    TView View() const { return m_view; }
    // Asks for a new password of the current employee twice and keeps its
    // hash in the row until the save; the employee must change it at the
    // next sign-in.
    void bbtPasswordClick();
    // The hash of a password for the current employee's row, as the button
    // does after asking; false when there is no employee row.
    bool SetNewPassword(const QString& password);

    QComboBox* cbxView;
    QPushButton* bbtPassword;
    QLabel* lblHelp;
    TStoredProc prcCheck;

protected:
    void SaveData() override;
    void ExecSaveProc() override;

private:
    void BuildPanel();
    TwMemColumn* AddColumn(const QString& caption, int dataWidth, int width, bool readOnly = false,
                           bool visible = true);

    TView m_view = vwEmployees;
    int m_unsent = 0;
};
