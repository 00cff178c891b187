#include "data/byte_stream.h"

#include <array>
#include <bit>
#include <cmath>

namespace vellmora {

void ByteWriter::u32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        u8(static_cast<std::uint8_t>(value >> shift));
    }
}

void ByteWriter::u64(std::uint64_t value) {
    for (int shift = 0; shift < 64; shift += 8) {
        u8(static_cast<std::uint8_t>(value >> shift));
    }
}

void ByteWriter::varint(std::uint64_t value) {
    while (value >= 0x80) {
        u8(static_cast<std::uint8_t>(value | 0x80));
        value >>= 7;
    }
    u8(static_cast<std::uint8_t>(value));
}

void ByteWriter::integer(std::int64_t value) {
    const auto bits = static_cast<std::uint64_t>(value);
    varint((bits << 1) ^ (value < 0 ? ~std::uint64_t{0} : 0));
}

void ByteWriter::real(double value) {
    u64(std::bit_cast<std::uint64_t>(value));
}

void ByteWriter::text(std::string_view value) {
    varint(value.size());
    raw(std::span(reinterpret_cast<const std::uint8_t*>(value.data()), value.size()));
}

bool ByteReader::u8(std::uint8_t& out) {
    if (remaining() < 1) {
        return fail();
    }
    out = bytes_[at_++];
    return true;
}

bool ByteReader::boolean(bool& out) {
    std::uint8_t value = 0;
    if (!u8(value) || value > 1) {
        return fail();
    }
    out = value == 1;
    return true;
}

bool ByteReader::u32(std::uint32_t& out) {
    if (remaining() < 4) {
        return fail();
    }
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes_[at_++]) << (8 * i);
    }
    out = value;
    return true;
}

bool ByteReader::u64(std::uint64_t& out) {
    if (remaining() < 8) {
        return fail();
    }
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i) {
        value |= static_cast<std::uint64_t>(bytes_[at_++]) << (8 * i);
    }
    out = value;
    return true;
}

bool ByteReader::varint(std::uint64_t& out) {
    std::uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        std::uint8_t byte = 0;
        if (!u8(byte)) {
            return false;
        }
        // The tenth byte may only carry the top bit of the value.
        if (shift == 63 && byte > 1) {
            return fail();
        }
        value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) {
            out = value;
            return true;
        }
    }
    return fail();
}

bool ByteReader::integer(std::int64_t& out) {
    std::uint64_t coded = 0;
    if (!varint(coded)) {
        return false;
    }
    out = static_cast<std::int64_t>((coded >> 1) ^ (~(coded & 1) + 1));
    return true;
}

bool ByteReader::real(double& out) {
    std::uint64_t bits = 0;
    if (!u64(bits)) {
        return false;
    }
    const double value = std::bit_cast<double>(bits);
    if (!std::isfinite(value)) {
        return fail();
    }
    out = value;
    return true;
}

bool ByteReader::text(std::string& out, std::size_t maxBytes) {
    std::size_t size = 0;
    std::span<const std::uint8_t> bytes;
    if (!count(size, maxBytes) || !raw(size, bytes)) {
        return false;
    }
    out.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return true;
}

bool ByteReader::count(std::size_t& out, std::size_t maxCount, std::size_t minBytesEach) {
    std::uint64_t value = 0;
    if (!varint(value) || value > maxCount) {
        return fail();
    }
    if (minBytesEach > 0 && value > remaining() / minBytesEach) {
        return fail();
    }
    out = static_cast<std::size_t>(value);
    return true;
}

bool ByteReader::raw(std::size_t size, std::span<const std::uint8_t>& out) {
    if (remaining() < size) {
        return fail();
    }
    out = bytes_.subspan(at_, size);
    at_ += size;
    return true;
}

void writeInts(ByteWriter& out, std::span<const std::int32_t> values) {
    out.varint(values.size());
    for (const std::int32_t value : values) {
        out.integer(value);
    }
}

bool readInts(ByteReader& in, std::size_t count, std::int64_t low, std::int64_t high,
              std::vector<std::int32_t>& out) {
    std::size_t declared = 0;
    if (!in.count(declared, count) || declared != count) {
        return in.fail();
    }
    std::vector<std::int32_t> values(count);
    for (std::int32_t& value : values) {
        if (!in.integerIn(low, high, value)) {
            return false;
        }
    }
    out = std::move(values);
    return true;
}

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes) {
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

}  // namespace vellmora
