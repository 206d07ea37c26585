#pragma once

#include "framework/TfrmZZI000.h"

// The report screen: search conditions above, and the commands search (F3),
// print (F11) and preview (Shift+F11), without the mode cycle. The handlers
// only check availability; the report screens do the work.
class TfrmZZS010 : public TfrmZZI000
{
    Q_OBJECT

public:
    explicit TfrmZZS010(QWidget* parent = nullptr);

    virtual void bbtSearchClick();
    virtual void bbtPrintClick();
    virtual void bbtPreviewClick();

    TPanel* panSearch;
    QPushButton* bbtSearch;
    QPushButton* bbtPrint;
    QPushButton* bbtPreview;
};
