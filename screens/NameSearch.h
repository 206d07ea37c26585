#pragma once

#include <QString>
#include <QStringList>

class QLineEdit;
class TPopupBtn;

// The owner-name and shop-name search of the contract lists: the code search
// popups beside the two name boxes and the filters the names add.
namespace NameSearch {

// A popup over a statement, linked to its box: the linked variant narrows
// the statement by `linkColumn` matched from the start of the box's text
// (bound, not spliced into the statement); centred on the screen.
void SetupPopup(TPopupBtn* button, QLineEdit* link, const QString& statement, const QString& linkColumn,
                const QStringList& titles, const QStringList& widths);
// The shop popup: every shop with its arcade, lease type and use.
void SetupShopPopup(TPopupBtn* button, QLineEdit* link);
// When the popup closed with a pick, its first value (trimmed) goes into the box.
void TakePick(const TPopupBtn* button, QLineEdit* box);
// The lines both lists add for the names: each matched from its start.
QString NameFilters(const QString& shopName, const QString& bossName);

} // namespace NameSearch
