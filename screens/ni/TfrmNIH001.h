#pragma once

#include "screens/ni/TLookupDialog.h"

// The code lookup: a modal dialog that lists arcade codes (mode "1"), lease
// types ("2"), trading partners in use ("3") or leasable business sites
// ("4"). The caller creates it without owner, sets LookupMode, shows it
// modally and then reads PickedCode and PickedName, which stay empty unless
// a row was double-clicked.
class TfrmNIH001 : public TLookupDialog
{
    Q_OBJECT

public:
    explicit TfrmNIH001(QWidget* parent = nullptr);

    QString LookupMode() const { return m_lookupMode; }
    void SetLookupMode(const QString& mode) { m_lookupMode = mode; }
    QString PickedCode() const { return m_pickedCode; }
    QString PickedName() const { return m_pickedName; }

    void bbtSearchClick() override;

protected:
    // The first show: the find box, the third column and, for the code
    // lists, the search at once, by mode.
    void FormShow() override;
    void PickRow(int row) override;

private:
    QString m_lookupMode;
    QString m_pickedCode;
    QString m_pickedName;
};
