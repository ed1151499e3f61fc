#pragma once
// The one error type of the program: it carries the text that the user sees in the
// default error dialog.
#include <stdexcept>
#include <string>

namespace ravenlock {

class AppError : public std::runtime_error {
public:
    explicit AppError(std::wstring message);
    const std::wstring& Message() const noexcept { return message_; }

private:
    std::wstring message_;
};

}  // namespace ravenlock
