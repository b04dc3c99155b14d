#include "shell/ErrorReport.h"

#include <exception>

#include "text/SjisLiteral.h"

void ReportErrors(IErrorBox& box, const std::function<void()>& handler) noexcept
{
    try {
        try {
            handler();
        } catch (const std::exception& e) {
            box.ShowError(e.what());
        } catch (...) {
            // Only a fault of the program itself throws something that is not an exception.
            box.ShowError("不明なエラーが発生しました。"_sj);
        }
    } catch (...) {
        // The box itself failed (out of memory); there is nothing left to tell the user with.
    }
}
