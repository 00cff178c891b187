#include "tools/pics/bitmap.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

#include "tools/pics/style.h"

namespace pics {

namespace {

struct Weighted {
    QRgb colour;
    std::uint32_t count;
};

struct Box {
    std::vector<Weighted> colours;
    int spread(int channel) const {
        int lo = 255, hi = 0;
        for (const Weighted& w : colours) {
            const int v = channel == 0   ? qRed(w.colour)
                          : channel == 1 ? qGreen(w.colour)
                                         : qBlue(w.colour);
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        return hi - lo;
    }
    std::uint64_t weight() const {
        std::uint64_t total = 0;
        for (const Weighted& w : colours) {
            total += w.count;
        }
        return total;
    }
    QRgb mean() const {
        std::uint64_t r = 0, g = 0, b = 0, n = 0;
        for (const Weighted& w : colours) {
            r += static_cast<std::uint64_t>(qRed(w.colour)) * w.count;
            g += static_cast<std::uint64_t>(qGreen(w.colour)) * w.count;
            b += static_cast<std::uint64_t>(qBlue(w.colour)) * w.count;
            n += w.count;
        }
        return n == 0 ? qRgb(0, 0, 0)
                      : qRgb(static_cast<int>(r / n), static_cast<int>(g / n),
                             static_cast<int>(b / n));
    }
};

int distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

bool opaque(QRgb c) {
    return qAlpha(c) >= 128;
}

}  // namespace

std::vector<QRgb> makePalette(const std::vector<const QImage*>& images) {
    std::unordered_map<QRgb, std::uint32_t> histogram;
    for (const QImage* image : images) {
        const QImage argb = image->convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; x < argb.width(); ++x) {
                if (opaque(line[x])) {
                    ++histogram[line[x] | 0xFF000000u];
                }
            }
        }
    }
    std::vector<QRgb> palette;
    palette.push_back(qRgb(255, 0, 255));
    for (const QColor& c : baseColours()) {
        const QRgb rgb = c.rgb();
        if (std::find(palette.begin(), palette.end(), rgb) == palette.end()) {
            palette.push_back(rgb);
        }
    }
    Box all;
    for (const auto& [colour, count] : histogram) {
        all.colours.push_back({colour, count});
    }
    std::sort(all.colours.begin(), all.colours.end(),
              [](const Weighted& a, const Weighted& b) { return a.colour < b.colour; });
    std::vector<Box> boxes;
    if (!all.colours.empty()) {
        boxes.push_back(std::move(all));
    }
    const std::size_t wanted = 256 - palette.size();
    while (boxes.size() < wanted) {
        // Split the box whose colours spread widest, weighted by how many pixels it holds.
        std::size_t best = boxes.size();
        double bestScore = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].colours.size() < 2) {
                continue;
            }
            const int s = std::max({boxes[i].spread(0), boxes[i].spread(1), boxes[i].spread(2)});
            const double score = s * std::sqrt(static_cast<double>(boxes[i].weight()));
            if (score > bestScore) {
                bestScore = score;
                best = i;
            }
        }
        if (best == boxes.size()) {
            break;
        }
        Box& box = boxes[best];
        const int spreads[3] = {box.spread(0), box.spread(1), box.spread(2)};
        const int channel = static_cast<int>(std::max_element(spreads, spreads + 3) - spreads);
        auto value = [channel](QRgb c) {
            return channel == 0 ? qRed(c) : channel == 1 ? qGreen(c) : qBlue(c);
        };
        std::sort(box.colours.begin(), box.colours.end(),
                  [&](const Weighted& a, const Weighted& b) {
                      return value(a.colour) != value(b.colour) ? value(a.colour) < value(b.colour)
                                                                : a.colour < b.colour;
                  });
        const std::uint64_t half = box.weight() / 2;
        std::uint64_t running = 0;
        std::size_t cut = 1;
        for (; cut < box.colours.size() - 1; ++cut) {
            running += box.colours[cut - 1].count;
            if (running >= half) {
                break;
            }
        }
        Box upper;
        upper.colours.assign(box.colours.begin() + static_cast<std::ptrdiff_t>(cut),
                             box.colours.end());
        box.colours.resize(cut);
        boxes.push_back(std::move(upper));
    }
    for (const Box& box : boxes) {
        QRgb mean = box.mean();
        if (mean == qRgb(255, 0, 255)) {
            mean = qRgb(254, 0, 254);
        }
        palette.push_back(mean);
    }
    while (palette.size() < 256) {
        palette.push_back(qRgb(0, 0, 0));
    }
    return palette;
}

IndexedImage toIndexed(const QImage& image, const std::vector<QRgb>& palette) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    IndexedImage out;
    out.width = argb.width();
    out.height = argb.height();
    out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height),
                      kTransparentIndex);
    std::unordered_map<QRgb, std::uint8_t> nearest;
    for (int y = 0; y < out.height; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < out.width; ++x) {
            if (!opaque(line[x])) {
                continue;
            }
            const QRgb c = line[x] | 0xFF000000u;
            auto it = nearest.find(c);
            if (it == nearest.end()) {
                int best = 1;
                int bestDistance = distance(c, palette[1]);
                for (int i = 2; i < static_cast<int>(palette.size()); ++i) {
                    const int d = distance(c, palette[static_cast<std::size_t>(i)]);
                    if (d < bestDistance) {
                        bestDistance = d;
                        best = i;
                    }
                }
                it = nearest.emplace(c, static_cast<std::uint8_t>(best)).first;
            }
            out.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(out.width) +
                       static_cast<std::size_t>(x)] = it->second;
        }
    }
    return out;
}

QImage toImage(const IndexedImage& indexed, const std::vector<QRgb>& palette) {
    QImage image(indexed.width, indexed.height, QImage::Format_ARGB32);
    for (int y = 0; y < indexed.height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < indexed.width; ++x) {
            const std::uint8_t i =
                indexed
                    .pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(indexed.width) +
                            static_cast<std::size_t>(x)];
            line[x] = i == kTransparentIndex ? 0u : palette[i];
        }
    }
    return image;
}

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

bool writeBmp8(const std::string& path, const IndexedImage& image,
               const std::vector<QRgb>& palette) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(image.width) + 3u) & ~3u;
    const std::uint32_t imageBytes = stride * static_cast<std::uint32_t>(image.height);
    const std::uint32_t offset = 14 + 40 + 1024;
    std::vector<std::uint8_t> out;
    out.reserve(offset + imageBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageBytes);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(image.width));
    put32(out, static_cast<std::uint32_t>(image.height));  // positive: bottom-up rows
    put16(out, 1);
    put16(out, 8);
    put32(out, 0);  // no compression
    put32(out, imageBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 256);
    put32(out, 0);
    for (std::size_t i = 0; i < 256; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : 0u;
        out.push_back(static_cast<std::uint8_t>(qBlue(c)));
        out.push_back(static_cast<std::uint8_t>(qGreen(c)));
        out.push_back(static_cast<std::uint8_t>(qRed(c)));
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const std::uint8_t* row = image.pixels.data() + static_cast<std::size_t>(y) *
                                                            static_cast<std::size_t>(image.width);
        out.insert(out.end(), row, row + image.width);
        out.insert(out.end(), stride - static_cast<std::uint32_t>(image.width), 0);
    }
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return file.write(reinterpret_cast<const char*>(out.data()), static_cast<qint64>(out.size())) ==
           static_cast<qint64>(out.size());
}

}  // namespace pics
