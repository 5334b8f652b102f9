#include "runtime/byte_buffer.h"

#include <algorithm>
#include <cstring>

#include "runtime/fatal_error.h"

namespace quorell {
namespace {

inline constexpr double kMinOleDate = -657434.0;
inline constexpr double kMaxOleDate = 2958465.99999;

// `size` bytes at 0-based `offset`, bytes past the end (or before the start) reading as zero.
template <typename T>
T ReadLittleEndian(const ByteBuffer& buf, long long offset) {
    unsigned char bytes[sizeof(T)] = {};
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        const long long at = offset + static_cast<long long>(i);
        if (at >= 0 && at < static_cast<long long>(buf.size())) {
            bytes[i] = buf[static_cast<std::size_t>(at)];
        }
    }
    // Assemble little-endian regardless of the host's byte order.
    unsigned long long raw = 0;
    for (std::size_t i = sizeof(T); i-- > 0;) {
        raw = (raw << 8) | bytes[i];
    }
    T value;
    if constexpr (sizeof(T) == 8) {
        std::memcpy(&value, &raw, sizeof value);
    } else if constexpr (sizeof(T) == 4) {
        const auto narrow = static_cast<std::uint32_t>(raw);
        std::memcpy(&value, &narrow, sizeof value);
    } else if constexpr (sizeof(T) == 2) {
        const auto narrow = static_cast<std::uint16_t>(raw);
        std::memcpy(&value, &narrow, sizeof value);
    } else {
        const auto narrow = static_cast<std::uint8_t>(raw);
        std::memcpy(&value, &narrow, sizeof value);
    }
    return value;
}

std::size_t Clamp(long long n, std::size_t length) {
    return static_cast<std::size_t>(std::clamp<long long>(n, 0, static_cast<long long>(length)));
}

}  // namespace

ByteBuffer ZeroBuffer(long long n) {
    return n <= 0 ? ByteBuffer() : ByteBuffer(static_cast<std::size_t>(n), 0);
}

ByteBuffer LeftBytes(const ByteBuffer& buf, long long n) {
    return ByteBuffer(buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(Clamp(n, buf.size())));
}

ByteBuffer RightBytes(const ByteBuffer& buf, long long n) {
    return ByteBuffer(buf.end() - static_cast<std::ptrdiff_t>(Clamp(n, buf.size())), buf.end());
}

ByteBuffer MidBytes(const ByteBuffer& buf, long long start, long long n) {
    const std::size_t from = Clamp(start - 1, buf.size());
    const std::size_t count = Clamp(n, buf.size() - from);
    return ByteBuffer(buf.begin() + static_cast<std::ptrdiff_t>(from),
                      buf.begin() + static_cast<std::ptrdiff_t>(from + count));
}

BufferValue ReadBuffer(const ByteBuffer& buf, int type, long long start) {
    const long long offset = start - 1;
    switch (static_cast<BufferValueType>(type)) {
        case BufferValueType::Byte:
            return ReadLittleEndian<std::uint8_t>(buf, offset);
        case BufferValueType::Int16:
            return ReadLittleEndian<std::int16_t>(buf, offset);
        case BufferValueType::Int32:
            return ReadLittleEndian<std::int32_t>(buf, offset);
        case BufferValueType::Int64:
            return ReadLittleEndian<std::int64_t>(buf, offset);
        case BufferValueType::Float:
            return ReadLittleEndian<float>(buf, offset);
        case BufferValueType::Double:
            return ReadLittleEndian<double>(buf, offset);
        // A stored boolean is a 32-bit integer; any non-zero value is true.
        case BufferValueType::Boolean:
            return ReadLittleEndian<std::int32_t>(buf, offset) != 0;
        case BufferValueType::DateTime: {
            double date = ReadLittleEndian<double>(buf, offset);
            if (!(date >= kMinOleDate)) {  // NaN clamps to the minimum too
                date = kMinOleDate;
            }
            return BufferDate{std::min(date, kMaxOleDate)};
        }
        // Code addresses were stored by a 32-bit program: four bytes.
        case BufferValueType::CodeAddress:
            return static_cast<std::uintptr_t>(ReadLittleEndian<std::uint32_t>(buf, offset));
        case BufferValueType::Text: {
            std::string text;
            for (long long at = std::max(offset, 0LL); at < static_cast<long long>(buf.size()); ++at) {
                const auto byte = buf[static_cast<std::size_t>(at)];
                if (byte == 0) {
                    break;
                }
                text.push_back(static_cast<char>(byte));
            }
            return text;
        }
    }
    RaiseFatalError("“欲取出数据的类型”参数值无效");
}

std::int32_t ReadInt32LE(const ByteBuffer& buf, std::size_t offset) {
    return ReadLittleEndian<std::int32_t>(buf, static_cast<long long>(offset));
}

std::int64_t ReadInt64LE(const ByteBuffer& buf, std::size_t offset) {
    return ReadLittleEndian<std::int64_t>(buf, static_cast<long long>(offset));
}

}  // namespace quorell
