#include "screens/ni/TLookupDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/TwMemGrid.h"
#include "framework/GeneralErrorHandler.h"
#include "screens/ScreenGrid.h"

TLookupDialog::TLookupDialog(const QString& objectName, const QString& title, QSize clientSize,
                             QWidget* parent)
    : TfrmZZI090(parent)
{
    setObjectName(objectName);
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(clientSize);

    lbl_Find = new QLabel(QStringLiteral("영업장명"));
    lbl_Find->setObjectName(QStringLiteral("lbl_Find"));
    AddSearchControl(lbl_Find);
    edtFindName = new QLineEdit();
    edtFindName->setObjectName(QStringLiteral("edtFindName"));
    edtFindName->setFixedWidth(121);
    AddSearchControl(edtFindName);
    lbl_Find->setBuddy(edtFindName);

    bbtSave->hide();
    bbtAdd->hide();
    bbtDelete->hide();

    ScreenGrid::MakeListGrid(rgrGrid);
    rgrGrid->OnDblClick = [this](QObject*) { RunCommand([this] { rgrGridDblClick(); }); };
}

void TLookupDialog::showEvent(QShowEvent* e)
{
    TfrmZZI090::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
}

void TLookupDialog::bbtCancelClick()
{
    TfrmZZI090::bbtCancelClick();
    rgrGrid->Clear();
}

void TLookupDialog::rgrGridDblClick()
{
    // An empty list has no row to pick: the dialog stays open.
    if (rgrGrid->RowCount() == 0)
        return;
    PickRow(rgrGrid->Row());
    bbtCloseClick();
}

QString TLookupDialog::Pattern(const QString& text)
{
    return text.isEmpty() ? QString() : QStringLiteral("%") + text + QStringLiteral("%");
}
