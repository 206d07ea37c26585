#include "screens/NameSearch.h"

#include <QLineEdit>

#include "common/CommonHelpers.h"
#include "framework/PopupStatement.h"
#include "framework/TPopupBtn.h"

namespace NameSearch {

namespace {
const char* const ShopStatement =
    "SELECT SHOP_NAME, B.DETAIL_NAME PLACE, C.DETAIL_NAME LEASE_TYPE, DECODE(SHOP_USED_YN, 'Y', 'Y:임대중', 'N', "
    "'N:유휴중', '') USED_YN, A.SHOP_CODE FROM NA010MS A, ZX010MS B, ZX010MS C WHERE A.SHOP_PLACE = B.DETAIL AND "
    "B.HEAD = 'NA001'\r   AND A.SHOP_LEASE_TYPE = C.DETAIL                \r   AND C.HEAD = 'NA002'";
} // namespace

void SetupPopup(TPopupBtn* button, QLineEdit* link, const QString& statement, const QString& linkColumn,
                const QStringList& titles, const QStringList& widths)
{
    button->SQL() = PopupStatement::Lines(statement);
    button->LinkSQL() = PopupStatement::Lines(statement + QStringLiteral("\r   AND ") + linkColumn
                                              + QStringLiteral(" LIKE :LINK_TEXT"));
    button->SetLinkControl(link);
    button->ColumnTitles() = titles;
    button->ColumnWidths() = widths;
    button->SetReferDialogAlign(TPopupBtn::daCenter);
}

void SetupShopPopup(TPopupBtn* button, QLineEdit* link)
{
    SetupPopup(button, link, QString::fromUtf8(ShopStatement), QStringLiteral("SHOP_NAME"),
               {QStringLiteral("임대업장 명"), QStringLiteral("소속상가명"), QStringLiteral("임대형태"),
                QStringLiteral("임애여부")},
               {QStringLiteral("40"), QStringLiteral("40"), QStringLiteral("12"), QStringLiteral("12"),
                QStringLiteral("0")});
}

void TakePick(const TPopupBtn* button, QLineEdit* box)
{
    if (button->ModalResult() == TPopupBtn::mrOk && !button->ReturnValue().isEmpty())
        box->setText(button->ReturnValue().first().trimmed());
}

QString NameFilters(const QString& shopName, const QString& bossName)
{
    QString filters;
    const QString shop = shopName.trimmed();
    if (!shop.isEmpty())
        filters += QStringLiteral("\r   AND C.SHOP_NAME LIKE ") + QuotedText(shop + QLatin1Char('%'));
    const QString boss = bossName.trimmed();
    if (!boss.isEmpty())
        filters += QStringLiteral("\r   AND B.BOSS_NAME LIKE ") + QuotedText(boss + QLatin1Char('%'));
    return filters;
}

} // namespace NameSearch
