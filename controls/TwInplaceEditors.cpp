#include "controls/TwInplaceEditors.h"

#include "controls/TwInBoolEdit.h"
#include "controls/TwInCheckEdit.h"
#include "controls/TwInDateEdit.h"
#include "controls/TwInMultiEdit.h"
#include "controls/TwInNumEdit.h"
#include "controls/TwInPickList.h"
#include "controls/TwInRadioGroup.h"
#include "controls/TwInTimeEdit.h"

std::unique_ptr<TwInplaceEditor> TwCreateInplaceEditor(TwEditKind kind, QWidget* parent)
{
    switch (kind) {
    case wekMultiText: return std::make_unique<TwInMultiEdit>(parent);
    case wekCheckBox: return std::make_unique<TwInCheckEdit>(parent);
    case wekBoolean: return std::make_unique<TwInBoolEdit>(parent);
    case wekRadioGroup: return std::make_unique<TwInRadioGroup>(parent);
    case wekNumber: return std::make_unique<TwInNumEdit>(false, parent);
    case wekSpinEdit: return std::make_unique<TwInNumEdit>(true, parent);
    case wekDate: return std::make_unique<TwInDateEdit>(parent);
    case wekTime: return std::make_unique<TwInTimeEdit>(parent);
    case wekPickList: return std::make_unique<TwInPickList>(parent);
    default: return nullptr; // text (the grid's own), data-aware lists, dialogs, none
    }
}
