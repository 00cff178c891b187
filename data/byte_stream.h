// A small binary writer and a bounds-checked reader for the game file: little-endian fixed
// words, zigzag variable-length integers, doubles by their bits and length-prefixed text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vellmora {

class ByteWriter {
public:
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void boolean(bool value) { u8(value ? 1 : 0); }
    void u32(std::uint32_t value);
    void u64(std::uint64_t value);
    // Seven bits per byte, lowest first.
    void varint(std::uint64_t value);
    // Zigzag-coded varint: small magnitudes of either sign take one byte.
    void integer(std::int64_t value);
    void real(double value);
    // Length, then the bytes.
    void text(std::string_view value);
    void raw(std::span<const std::uint8_t> bytes) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }

    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Every read answers false once the data runs out or a value is out of its range; from then on
// every read fails, so a caller may check once at the end of a group of reads.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool u8(std::uint8_t& out);
    bool boolean(bool& out);
    bool u32(std::uint32_t& out);
    bool u64(std::uint64_t& out);
    bool varint(std::uint64_t& out);
    bool integer(std::int64_t& out);
    // An integer within [low, high], stored into any integer type that holds that range.
    template <typename T>
    bool integerIn(std::int64_t low, std::int64_t high, T& out) {
        std::int64_t value = 0;
        if (!integer(value) || value < low || value > high) {
            return fail();
        }
        out = static_cast<T>(value);
        return true;
    }
    // Any finite double.
    bool real(double& out);
    // Text of at most maxBytes.
    bool text(std::string& out, std::size_t maxBytes);
    // An element count of at most maxCount, and no more than the bytes left divided by the
    // smallest encoding of one element: checked before anything is made for the elements.
    bool count(std::size_t& out, std::size_t maxCount, std::size_t minBytesEach = 1);
    bool raw(std::size_t size, std::span<const std::uint8_t>& out);

    std::size_t remaining() const { return failed_ ? 0 : bytes_.size() - at_; }
    bool atEnd() const { return !failed_ && at_ == bytes_.size(); }
    bool failed() const { return failed_; }
    // Marks the reader failed (a value read fine but not acceptable to the caller).
    bool fail() {
        failed_ = true;
        return false;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool failed_ = false;
};

// A run of 32-bit values: the count, then each value as an integer.
void writeInts(ByteWriter& out, std::span<const std::int32_t> values);
// A run of exactly `count` values within [low, high]; the count is checked against the bytes
// left before `out` is sized.
bool readInts(ByteReader& in, std::size_t count, std::int64_t low, std::int64_t high,
              std::vector<std::int32_t>& out);

// CRC-32 (polynomial 0xEDB88320, as in zip and PNG).
std::uint32_t crc32(std::span<const std::uint8_t> bytes);

}  // namespace vellmora
