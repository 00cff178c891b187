#include "data/map_chunk.h"

#include <cstring>
#include <limits>

#include "data/result_codes.h"

namespace vellmora {

std::uint32_t readLe32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

void writeLe32(std::uint8_t* bytes, std::uint32_t value) {
    bytes[0] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    bytes[2] = static_cast<std::uint8_t>((value >> 16) & 0xFF);
    bytes[3] = static_cast<std::uint8_t>((value >> 24) & 0xFF);
}

int MapChunk::parse(std::span<const std::uint8_t> bytes, MapChunk& out, std::size_t* consumed) {
    MapChunk parsed;
    std::size_t used = 0;
    if (parseAt(bytes, 1, parsed, used) != kOk) {
        return kRefused;
    }
    out = std::move(parsed);
    if (consumed != nullptr) {
        *consumed = used;
    }
    return kOk;
}

// All comparisons are made against the bytes still available, never by adding declared lengths,
// so a huge length cannot wrap an offset around.
int MapChunk::parseAt(std::span<const std::uint8_t> bytes, int depth, MapChunk& out,
                      std::size_t& consumed) {
    if (depth > kMaxDepth || bytes.size() < kHeadSize) {
        return kRefused;
    }
    const std::uint32_t total = readLe32(bytes.data());
    const std::uint32_t dataLength = readLe32(bytes.data() + 4);
    if (total < kHeadSize || total > bytes.size() || dataLength > total - kHeadSize) {
        return kRefused;
    }
    const std::span<const std::uint8_t> chunk = bytes.first(total);
    out.data_.assign(chunk.begin() + kHeadSize, chunk.begin() + kHeadSize + dataLength);
    out.children_.clear();

    std::size_t position = kHeadSize + dataLength;
    while (position < total) {
        MapChunk child;
        std::size_t childLength = 0;
        if (parseAt(chunk.subspan(position), depth + 1, child, childLength) != kOk) {
            return kRefused;
        }
        out.children_.push_back(std::move(child));
        position += childLength;
    }
    consumed = total;
    return kOk;
}

const MapChunk* MapChunk::child(std::size_t i) const {
    return i < children_.size() ? &children_[i] : nullptr;
}

MapChunk* MapChunk::child(std::size_t i) {
    return i < children_.size() ? &children_[i] : nullptr;
}

MapChunk& MapChunk::addChild(MapChunk child) {
    children_.push_back(std::move(child));
    return children_.back();
}

bool MapChunk::readBytes(std::size_t offset, std::span<std::uint8_t> target) const {
    if (offset > data_.size() || target.size() > data_.size() - offset) {
        return false;
    }
    if (!target.empty()) {
        std::memcpy(target.data(), data_.data() + offset, target.size());
    }
    return true;
}

bool MapChunk::readUint32(std::size_t offset, std::uint32_t& value) const {
    std::uint8_t raw[4];
    if (!readBytes(offset, raw)) {
        return false;
    }
    value = readLe32(raw);
    return true;
}

bool MapChunk::readInt32(std::size_t offset, std::int32_t& value) const {
    std::uint32_t raw = 0;
    if (!readUint32(offset, raw)) {
        return false;
    }
    value = static_cast<std::int32_t>(raw);
    return true;
}

bool MapChunk::readUint8(std::size_t offset, std::uint8_t& value) const {
    if (offset >= data_.size()) {
        return false;
    }
    value = data_[offset];
    return true;
}

bool MapChunk::readInt8(std::size_t offset, std::int8_t& value) const {
    std::uint8_t raw = 0;
    if (!readUint8(offset, raw)) {
        return false;
    }
    value = static_cast<std::int8_t>(raw);
    return true;
}

void MapChunk::appendUint32(std::uint32_t value) {
    std::uint8_t raw[4];
    writeLe32(raw, value);
    data_.insert(data_.end(), raw, raw + 4);
}

void MapChunk::appendInt32(std::int32_t value) {
    appendUint32(static_cast<std::uint32_t>(value));
}

void MapChunk::appendUint8(std::uint8_t value) {
    data_.push_back(value);
}

void MapChunk::appendInt8(std::int8_t value) {
    data_.push_back(static_cast<std::uint8_t>(value));
}

void MapChunk::appendBytes(std::span<const std::uint8_t> bytes) {
    data_.insert(data_.end(), bytes.begin(), bytes.end());
}

void MapChunk::appendZeros(std::size_t count) {
    data_.resize(data_.size() + count, 0);
}

bool MapChunk::writeInt32At(std::size_t offset, std::int32_t value) {
    if (offset > data_.size() || data_.size() - offset < 4) {
        return false;
    }
    writeLe32(data_.data() + offset, static_cast<std::uint32_t>(value));
    return true;
}

std::uint64_t MapChunk::totalLength() const {
    std::uint64_t total = kHeadSize + data_.size();
    for (const MapChunk& c : children_) {
        total += c.totalLength();
    }
    return total;
}

int MapChunk::serialize(std::vector<std::uint8_t>& out) const {
    if (totalLength() > std::numeric_limits<std::uint32_t>::max()) {
        return kRefused;
    }
    const std::size_t start = out.size();
    if (serializeAt(1, out) != kOk) {
        out.resize(start);
        return kRefused;
    }
    return kOk;
}

int MapChunk::serializeAt(int depth, std::vector<std::uint8_t>& out) const {
    if (depth > kMaxDepth) {
        return kRefused;
    }
    std::uint8_t head[kHeadSize];
    writeLe32(head, static_cast<std::uint32_t>(totalLength()));
    writeLe32(head + 4, static_cast<std::uint32_t>(data_.size()));
    out.insert(out.end(), head, head + kHeadSize);
    out.insert(out.end(), data_.begin(), data_.end());
    for (const MapChunk& c : children_) {
        if (c.serializeAt(depth + 1, out) != kOk) {
            return kRefused;
        }
    }
    return kOk;
}

}  // namespace vellmora
