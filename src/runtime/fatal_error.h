#pragma once

#include <exception>
#include <optional>
#include <string>

namespace quorell {

// A fatal runtime error: the program shows FatalErrorText in a message box and ends with exit code -1.
// Raised as an exception so that the event loop can report it through the desktop and end cleanly.
class FatalError : public std::exception {
public:
    explicit FatalError(std::string message, std::optional<int> code = std::nullopt);
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const { return message_; }
    std::optional<int> Code() const { return code_; }

private:
    std::string message_;
    std::optional<int> code_;
};

inline constexpr int kFatalErrorExitCode = -1;

// "运行时出错!\r\n\r\n", then "错误代码：<code>\r\n\r\n" when there is a code, then "错误信息：<message>\r\n"
// when there is a message.
std::string FatalErrorText(const std::string& message, std::optional<int> code);

[[noreturn]] void RaiseFatalError(std::string message, std::optional<int> code = std::nullopt);

}  // namespace quorell
