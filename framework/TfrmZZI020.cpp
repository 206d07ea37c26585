#include "framework/TfrmZZI020.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/TwDBGrid.h"
#include "controls/TwGridHeaders.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"

namespace {
constexpr int GridHeight = 120;
constexpr int PacketRecords = 100;
} // namespace

TfrmZZI020::TfrmZZI020(QWidget* parent)
    : TfrmZZI010(parent), qryGrid(SharedConnection::Database()), dspGrid(&qryGrid), dtsGrid(&cdsGrid)
{
    setObjectName(QStringLiteral("frmZZI020"));
    bbtAdd = NewButton(QStringLiteral("신규(F4)"), QStringLiteral("bbtAdd"), 80, 25);
    AddButton(bbtAdd, bbtSave);
    bbtDelete = NewButton(QStringLiteral("삭제(F9)"), QStringLiteral("bbtDelete"), 80, 25);
    AddButton(bbtDelete, bbtSave);
    sbtFirst = NavigationButton(QStringLiteral("sbtFirst"), QStringLiteral("|◀"), QStringLiteral("처음 자료"), 0);
    sbtPrior = NavigationButton(QStringLiteral("sbtPrior"), QStringLiteral("◀"), QStringLiteral("앞 자료"), 1);
    sbtNext = NavigationButton(QStringLiteral("sbtNext"), QStringLiteral("▶"), QStringLiteral("다음 자료"), 2);
    sbtLast = NavigationButton(QStringLiteral("sbtLast"), QStringLiteral("▶|"), QStringLiteral("마지막 자료"), 3);

    cdsGrid.SetProvider(&dspGrid);
    cdsGrid.SetPacketRecords(PacketRecords);
    rgrGrid = new TwDBGrid(panMain);
    rgrGrid->setObjectName(QStringLiteral("rgrGrid"));
    rgrGrid->SetOptions(wgoArrowMove | wgoColSizing | wgoFocusRect | wgoRowSelect);
    rgrGrid->Headers()->SetColHeight(21);
    rgrGrid->Headers()->SetGrpHeight(42);
    rgrGrid->SetColRowHeight(18);
    rgrGrid->setFixedHeight(GridHeight);
    rgrGrid->SetDataSource(&dtsGrid);
    m_dataLayout = new QVBoxLayout(panMain);
    m_dataLayout->setContentsMargins(0, 0, 0, 0);
    m_dataLayout->addStretch(1);
    m_dataLayout->addWidget(rgrGrid);
    AddQuery(qryGrid);

    ConnectButton(bbtAdd, [this] { bbtAddClick(); });
    ConnectButton(bbtDelete, [this] { bbtDeleteClick(); });
    ConnectButton(sbtFirst, [this] { sbtFirstClick(); });
    ConnectButton(sbtPrior, [this] { sbtPriorClick(); });
    ConnectButton(sbtNext, [this] { sbtNextClick(); });
    ConnectButton(sbtLast, [this] { sbtLastClick(); });
    AddHotkey(QStringLiteral("신규"), Qt::Key_F4, [this] { bbtAddClick(); });
    AddHotkey(QStringLiteral("삭제"), Qt::Key_F9, [this] { bbtDeleteClick(); });
}

TfrmZZI020::~TfrmZZI020()
{
    rgrGrid->SetDataSource(nullptr);
}

QToolButton* TfrmZZI020::NavigationButton(const QString& name, const QString& text, const QString& hint,
                                          int position)
{
    auto* button = new QToolButton(panButtons);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(hint);
    button->setFixedSize(25, 25);
    static_cast<QHBoxLayout*>(panButtons->layout())->insertWidget(position, button);
    return button;
}

void TfrmZZI020::bbtAddClick()
{
    CheckAvailable(bbtAdd);
}

void TfrmZZI020::bbtDeleteClick()
{
    CheckAvailable(bbtDelete);
}

void TfrmZZI020::sbtFirstClick()
{
    if (cdsGrid.Active())
        cdsGrid.First();
}

void TfrmZZI020::sbtPriorClick()
{
    if (cdsGrid.Active())
        cdsGrid.Prior();
}

void TfrmZZI020::sbtNextClick()
{
    if (cdsGrid.Active())
        cdsGrid.Next();
}

void TfrmZZI020::sbtLastClick()
{
    if (cdsGrid.Active())
        cdsGrid.Last();
}
