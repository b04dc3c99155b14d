// The program's general error reporting: an error raised while one message or menu
// command is handled ends that handling only; its message is shown in an error box
// titled "Morvane" and the program stays resident.
#pragma once

#include <functional>
#include <string_view>

class IErrorBox {
public:
    virtual ~IErrorBox() = default;
    // Shows the CP932 message in an error message box and returns when it is closed.
    virtual void ShowError(std::string_view message) = 0;
};

// Runs the handler; whatever it raises is shown in the box and goes no further.
void ReportErrors(IErrorBox& box, const std::function<void()>& handler) noexcept;
