#include "framework/GeneralErrorHandler.h"

#include "common/MessageBoxes.h"
#include "controls/ESelvarError.h"
#include "framework/EAbort.h"

QString ErrorText(const std::exception& e)
{
    if (const auto* own = dynamic_cast<const ESelvarError*>(&e))
        return own->Message();
    return QString::fromLocal8Bit(e.what());
}

void RunCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        ShowError(ErrorText(e));
    }
}
