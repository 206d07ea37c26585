#include "framework/SaveInTransaction.h"

#include "common/MessageBoxes.h"
#include "common/TDatabase.h"
#include "framework/EAbort.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/TWaitCursor.h"

bool SaveInTransaction(TDatabase& database, const std::function<void()>& calls)
{
    if (!database.Connected())
        database.Open();
    if (!database.InTransaction())
        database.StartTransaction();
    TWaitCursor wait;
    try {
        calls();
        database.Commit();
    } catch (const EAbort&) {
        database.Rollback();
        throw;
    } catch (const std::exception& e) {
        database.Rollback();
        wait.Restore();
        ShowError(QStringLiteral("자료를 저장하지 못했습니다.\r\r에러내용:\r") + ErrorText(e));
        return false;
    }
    return true;
}
