#include "runtime/fatal_error.h"

#include <utility>

namespace quorell {

FatalError::FatalError(std::string message, std::optional<int> code) : message_(std::move(message)), code_(code) {}

std::string FatalErrorText(const std::string& message, std::optional<int> code) {
    std::string text = "运行时出错!\r\n\r\n";
    if (code) {
        text += "错误代码：" + std::to_string(*code) + "\r\n\r\n";
    }
    if (!message.empty()) {
        text += "错误信息：" + message + "\r\n";
    }
    return text;
}

void RaiseFatalError(std::string message, std::optional<int> code) {
    throw FatalError(std::move(message), code);
}

}  // namespace quorell
