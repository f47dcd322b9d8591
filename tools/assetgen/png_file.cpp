#include "png_file.h"

#include <algorithm>
#include <array>
#include <vector>

#include "byte_writer.h"

namespace pv::assetgen {

namespace {

// Writes bits least significant first, as deflate packs them.
class BitWriter {
public:
    void bits(std::uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i)
            bit((value >> i) & 1);
    }
    // Huffman codes go most significant bit first.
    void code(std::uint32_t value, int length)
    {
        for (int i = length - 1; i >= 0; --i)
            bit((value >> i) & 1);
    }
    std::string finish()
    {
        if (used_ > 0)
            out_ += static_cast<char>(current_);
        return out_;
    }

private:
    void bit(std::uint32_t b)
    {
        current_ |= static_cast<std::uint8_t>(b << used_);
        if (++used_ == 8) {
            out_ += static_cast<char>(current_);
            current_ = 0;
            used_ = 0;
        }
    }

    std::string out_;
    std::uint8_t current_ = 0;
    int used_ = 0;
};

constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                               33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                               1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// A symbol of the fixed literal/length alphabet.
void FixedSymbol(BitWriter& out, int symbol)
{
    if (symbol < 144)
        out.code(0x30 + symbol, 8);
    else if (symbol < 256)
        out.code(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        out.code(symbol - 256, 7);
    else
        out.code(0xC0 + symbol - 280, 8);
}

void Match(BitWriter& out, int length, int distance)
{
    int l = 28;
    while (kLengthBase[l] > length)
        --l;
    FixedSymbol(out, 257 + l);
    out.bits(length - kLengthBase[l], kLengthExtra[l]);
    int d = 29;
    while (kDistanceBase[d] > distance)
        --d;
    out.code(d, 5);
    out.bits(distance - kDistanceBase[d], kDistanceExtra[d]);
}

// Deflate, one block with the fixed codes and greedy matching through hash chains.
std::string Deflate(const std::string& data)
{
    constexpr int kWindow = 32768, kMinMatch = 3, kMaxMatch = 258, kChainLimit = 128;
    constexpr int kHashSize = 1 << 15;
    std::vector<int> head(kHashSize, -1), previous(data.size(), -1);
    const auto hashAt = [&](std::size_t i) {
        const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(data[k]); };
        return ((byte(i) << 10) ^ (byte(i + 1) << 5) ^ byte(i + 2)) & (kHashSize - 1);
    };
    const auto insert = [&](std::size_t i) {
        if (i + kMinMatch <= data.size()) {
            const int h = hashAt(i);
            previous[i] = head[h];
            head[h] = static_cast<int>(i);
        }
    };

    BitWriter out;
    out.bits(1, 1);  // last block
    out.bits(1, 2);  // fixed Huffman codes
    std::size_t i = 0;
    while (i < data.size()) {
        int bestLength = 0, bestDistance = 0;
        if (i + kMinMatch <= data.size()) {
            int candidate = head[hashAt(i)];
            for (int chain = 0; candidate >= 0 && chain < kChainLimit; ++chain) {
                const int distance = static_cast<int>(i) - candidate;
                if (distance > kWindow)
                    break;
                int length = 0;
                const int limit = static_cast<int>(std::min<std::size_t>(kMaxMatch, data.size() - i));
                while (length < limit && data[static_cast<std::size_t>(candidate + length)] == data[i + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = distance;
                }
                candidate = previous[static_cast<std::size_t>(candidate)];
            }
        }
        if (bestLength >= kMinMatch) {
            Match(out, bestLength, bestDistance);
            for (int k = 0; k < bestLength; ++k)
                insert(i + k);
            i += bestLength;
        } else {
            FixedSymbol(out, static_cast<std::uint8_t>(data[i]));
            insert(i);
            ++i;
        }
    }
    FixedSymbol(out, 256);  // end of block
    return out.finish();
}

std::uint32_t Adler32(const std::string& data)
{
    std::uint32_t a = 1, b = 0;
    for (char c : data) {
        a = (a + static_cast<std::uint8_t>(c)) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

std::uint32_t Crc32(const std::string& data)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char c : data) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return crc ^ 0xFFFFFFFFu;
}

void Chunk(std::string& png, const std::string& type, const std::string& data)
{
    PutBe32(png, static_cast<std::uint32_t>(data.size()));
    png += type;
    png += data;
    PutBe32(png, Crc32(type + data));
}

}  // namespace

std::string PngFileBytes(const Canvas& image)
{
    const auto size = static_cast<std::uint32_t>(image.size());
    std::string header;
    PutBe32(header, size);
    PutBe32(header, size);
    header += std::string{8, 6, 0, 0, 0};  // 8 bits, RGBA, deflate, no filter choice, no interlace

    std::string rows;
    for (int y = 0; y < image.size(); ++y) {
        rows += '\0';  // filter: none
        for (int x = 0; x < image.size(); ++x) {
            const Rgba& p = image.at(x, y);
            rows += {static_cast<char>(p.r), static_cast<char>(p.g), static_cast<char>(p.b), static_cast<char>(p.a)};
        }
    }
    std::string zlib = "\x78\x01";
    zlib += Deflate(rows);
    PutBe32(zlib, Adler32(rows));

    std::string png = "\x89PNG\r\n\x1a\n";
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", zlib);
    Chunk(png, "IEND", "");
    return png;
}

}  // namespace pv::assetgen
