#pragma once

#include <QSize>

#include "framework/TfrmZZI090.h"

class QLabel;
class QLineEdit;

// What the lookup dialogs share: a fixed-size dialog on the one-pane base
// with only Search, Cancel and Close, the find box, a read-only list and
// picking the current row by double click, which closes the dialog.
class TLookupDialog : public TfrmZZI090
{
    Q_OBJECT

public:
    void bbtCancelClick() override;
    // Picks the current row and closes the dialog.
    void rgrGridDblClick();

    QLabel* lbl_Find;
    QLineEdit* edtFindName;

protected:
    TLookupDialog(const QString& objectName, const QString& title, QSize clientSize, QWidget* parent);

    // Copies the outputs from a row of the list.
    virtual void PickRow(int row) = 0;
    // Runs once, at the first show.
    virtual void FormShow() = 0;
    void showEvent(QShowEvent* e) override;

    // A LIKE pattern for the find text; Null when it is empty.
    static QString Pattern(const QString& text);

private:
    bool m_shown = false;
};
