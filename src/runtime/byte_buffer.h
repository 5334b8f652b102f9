#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace quorell {

using ByteBuffer = std::vector<std::uint8_t>;

ByteBuffer ZeroBuffer(long long n);                        // n <= 0 gives an empty buffer
ByteBuffer LeftBytes(const ByteBuffer& buf, long long n);  // n clamped to 0..length
ByteBuffer RightBytes(const ByteBuffer& buf, long long n);
ByteBuffer MidBytes(const ByteBuffer& buf, long long start, long long n);  // 1-based start

// Types that ReadBuffer can take out of a buffer.
enum class BufferValueType : int {
    Byte = 1,
    Int16 = 2,
    Int32 = 3,
    Int64 = 4,
    Float = 5,
    Double = 6,
    Boolean = 7,
    DateTime = 8,
    CodeAddress = 9,
    Text = 10,
};

struct BufferDate {
    double oleDate = 0;
    friend bool operator==(const BufferDate&, const BufferDate&) = default;
};

using BufferValue = std::variant<std::uint8_t, std::int16_t, std::int32_t, std::int64_t, float, double, bool,
                                 BufferDate, std::uintptr_t, std::string>;

// The value of `type` stored little-endian at 1-based byte `start`. Bytes missing at the end read
// as zero; a date is clamped into the valid date range; a text runs to the first NUL byte or the end.
// A type outside 1..10 is the fatal runtime error "“欲取出数据的类型”参数值无效".
BufferValue ReadBuffer(const ByteBuffer& buf, int type, long long start = 1);

// Little-endian integers at a 0-based offset; bytes past the end read as zero.
std::int32_t ReadInt32LE(const ByteBuffer& buf, std::size_t offset);
std::int64_t ReadInt64LE(const ByteBuffer& buf, std::size_t offset);

}  // namespace quorell
