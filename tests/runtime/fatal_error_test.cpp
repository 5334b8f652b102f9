#include <gtest/gtest.h>

#include "runtime/fatal_error.h"

namespace quorell {
namespace {

TEST(FatalError, TextHasCodeAndMessageBlocks) {
    EXPECT_EQ(FatalErrorText("不能整除于零", 1), "运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：不能整除于零\r\n");
    EXPECT_EQ(FatalErrorText("", std::nullopt), "运行时出错!\r\n\r\n");
    EXPECT_EQ(FatalErrorText("x", std::nullopt), "运行时出错!\r\n\r\n错误信息：x\r\n");
}

TEST(FatalError, RaiseThrowsWithMessage) {
    try {
        RaiseFatalError("boom", 7);
        FAIL();
    } catch (const FatalError& e) {
        EXPECT_EQ(e.Message(), "boom");
        EXPECT_EQ(e.Code(), 7);
    }
}

}  // namespace
}  // namespace quorell
