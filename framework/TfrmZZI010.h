#pragma once

#include "framework/TfrmZZI000.h"

// The search/save screen: search conditions above the data, the commands
// search (F3), save (F2) and cancel (F8), and the two modes: in search mode
// only the conditions can be used, in edit mode only the data area and the
// command buttons. It opens in search mode; a search switches to edit mode;
// cancel returns to search mode. The handlers here only check availability
// and manage modes and focus; business screens do their work around them.
class TfrmZZI010 : public TfrmZZI000
{
    Q_OBJECT

public:
    explicit TfrmZZI010(QWidget* parent = nullptr);

    virtual void bbtSearchClick();
    virtual void bbtSaveClick();
    virtual void bbtCancelClick();

    void SetSearchMode(bool searchMode);
    void EnterEditMode();
    bool SearchMode() const { return m_searchMode; }

    TPanel* panSearch;
    QPushButton* bbtSearch;
    QPushButton* bbtSave;
    QPushButton* bbtCancel;

protected:
    void FormCreate() override;

private:
    bool IsDataSide(const QWidget* control) const;
    void CollectControls(QWidget* container, QList<QWidget*>& controls) const;

    bool m_searchMode = true;
};
