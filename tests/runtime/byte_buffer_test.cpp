#include <gtest/gtest.h>
#include <cstring>

#include "runtime/byte_buffer.h"
#include "runtime/fatal_error.h"

namespace quorell {
namespace {

TEST(ByteBuffer, SlicesClampToTheBuffer) {
    const ByteBuffer buf{1, 2, 3, 4, 5};
    EXPECT_TRUE(ZeroBuffer(0).empty());
    EXPECT_TRUE(ZeroBuffer(-3).empty());
    EXPECT_EQ(ZeroBuffer(3), (ByteBuffer{0, 0, 0}));
    EXPECT_EQ(LeftBytes(buf, 2), (ByteBuffer{1, 2}));
    EXPECT_EQ(LeftBytes(buf, 99), buf);
    EXPECT_TRUE(LeftBytes(buf, -1).empty());
    EXPECT_EQ(RightBytes(buf, 2), (ByteBuffer{4, 5}));
    EXPECT_EQ(MidBytes(buf, 2, 3), (ByteBuffer{2, 3, 4}));
    EXPECT_EQ(MidBytes(buf, 4, 10), (ByteBuffer{4, 5}));
    EXPECT_TRUE(MidBytes(buf, 9, 1).empty());
    EXPECT_EQ(MidBytes(buf, -5, 2), (ByteBuffer{1, 2}));
}

TEST(ReadBuffer, ReadsLittleEndianWithMissingBytesAsZero) {
    const ByteBuffer buf{0x78, 0x56, 0x34, 0x12, 0xFF};
    EXPECT_EQ(std::get<std::int32_t>(ReadBuffer(buf, 3)), 0x12345678);
    EXPECT_EQ(std::get<std::int16_t>(ReadBuffer(buf, 2, 4)), std::int16_t{-238});  // 0xFF12
    EXPECT_EQ(std::get<std::int32_t>(ReadBuffer(buf, 3, 5)), 0xFF);                // three bytes past the end
    EXPECT_EQ(std::get<std::uint8_t>(ReadBuffer(buf, 1, 99)), 0);
    EXPECT_EQ(std::get<std::int64_t>(ReadBuffer(ByteBuffer{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 4)), -1);
    EXPECT_TRUE(std::get<bool>(ReadBuffer(ByteBuffer{0, 1}, 7)));
    EXPECT_EQ(std::get<std::string>(ReadBuffer(ByteBuffer{'a', 'b', 0, 'c'}, 10)), "ab");
    EXPECT_EQ(std::get<std::string>(ReadBuffer(ByteBuffer{'a', 'b'}, 10, 2)), "b");
}

TEST(ReadBuffer, DatesAreClampedIntoTheValidRange) {
    ByteBuffer buf(8);
    const double huge = 1e300;
    std::memcpy(buf.data(), &huge, sizeof huge);  // the test host is little-endian like the files
    EXPECT_LE(std::get<BufferDate>(ReadBuffer(buf, 8)).oleDate, 2958466.0);
    const double tiny = -1e300;
    std::memcpy(buf.data(), &tiny, sizeof tiny);
    EXPECT_EQ(std::get<BufferDate>(ReadBuffer(buf, 8)).oleDate, -657434.0);
}

TEST(ReadBuffer, UnknownTypeIsFatal) {
    for (int type : {0, 11, -1}) {
        try {
            ReadBuffer(ByteBuffer{1}, type);
            FAIL() << type;
        } catch (const FatalError& e) {
            EXPECT_EQ(e.Message(), "“欲取出数据的类型”参数值无效");
        }
    }
}

}  // namespace
}  // namespace quorell
