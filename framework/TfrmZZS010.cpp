#include "framework/TfrmZZS010.h"

#include <QPushButton>

#include "framework/TPanel.h"

TfrmZZS010::TfrmZZS010(QWidget* parent) : TfrmZZI000(parent)
{
    setObjectName(QStringLiteral("frmZZS010"));
    panSearch = BuildSearchPanel(&bbtSearch);

    bbtPrint = NewButton(QStringLiteral("출력(F11)"), QStringLiteral("bbtPrint"), 80, 25);
    AddButton(bbtPrint);
    bbtPreview = NewButton(QStringLiteral("미리보기"), QStringLiteral("bbtPreview"), 80, 25);
    AddButton(bbtPreview);

    ConnectButton(bbtSearch, [this] { bbtSearchClick(); });
    ConnectButton(bbtPrint, [this] { bbtPrintClick(); });
    ConnectButton(bbtPreview, [this] { bbtPreviewClick(); });
    AddHotkey(QStringLiteral("조회"), Qt::Key_F3, [this] { bbtSearchClick(); });
    AddHotkey(QStringLiteral("출력"), Qt::Key_F11, [this] { bbtPrintClick(); });
    AddHotkey(QStringLiteral("미리보기"), QKeySequence(Qt::SHIFT | Qt::Key_F11), [this] { bbtPreviewClick(); });
}

void TfrmZZS010::bbtSearchClick()
{
    CheckAvailable(bbtSearch);
}

void TfrmZZS010::bbtPrintClick()
{
    CheckAvailable(bbtPrint);
}

void TfrmZZS010::bbtPreviewClick()
{
    CheckAvailable(bbtPreview);
}
