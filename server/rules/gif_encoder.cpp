#include "rules/gif_encoder.h"

#include <unordered_map>

namespace pellomar::directory {

namespace {

constexpr int MaxCodeBits = 12;
constexpr int MaxCodes = 1 << MaxCodeBits;

void putWord(std::string &out, int value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

// Codes are packed least significant bit first and cut into data sub-blocks of at most
// 255 bytes, each preceded by its length.
class CodeWriter {
public:
    explicit CodeWriter(std::string &out)
        : m_out(out)
    {
    }

    void put(int code, int bits)
    {
        m_accumulator |= static_cast<std::uint32_t>(code) << m_bitCount;
        m_bitCount += bits;
        while (m_bitCount >= 8) {
            pushByte(static_cast<char>(m_accumulator & 0xFF));
            m_accumulator >>= 8;
            m_bitCount -= 8;
        }
    }

    void finish()
    {
        if (m_bitCount > 0)
            pushByte(static_cast<char>(m_accumulator & 0xFF));
        flushBlock();
        m_out += '\0';
    }

private:
    void pushByte(char byte)
    {
        m_block += byte;
        if (m_block.size() == 255)
            flushBlock();
    }

    void flushBlock()
    {
        if (m_block.empty())
            return;
        m_out += static_cast<char>(m_block.size());
        m_out += m_block;
        m_block.clear();
    }

    std::string &m_out;
    std::string m_block;
    std::uint32_t m_accumulator = 0;
    int m_bitCount = 0;
};

} // namespace

std::string encodeGif(
    int width, int height, std::span<const Rgb> palette, std::span<const std::uint8_t> pixels)
{
    if (width < 1 || height < 1 || width > 0xFFFF || height > 0xFFFF || palette.empty()
        || palette.size() > 256
        || pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return {};
    for (auto index : pixels) {
        if (index >= palette.size())
            return {};
    }

    int tableBits = 1;
    while ((std::size_t { 1 } << tableBits) < palette.size())
        ++tableBits;
    const int minCodeSize = tableBits < 2 ? 2 : tableBits;

    std::string out = "GIF89a";
    putWord(out, width);
    putWord(out, height);
    out += static_cast<char>(0x80 | ((tableBits - 1) << 4) | (tableBits - 1));
    out += '\0'; // background colour index
    out += '\0'; // square pixels
    for (int i = 0; i < (1 << tableBits); ++i) {
        const Rgb colour = static_cast<std::size_t>(i) < palette.size() ? palette[i] : Rgb {};
        out += static_cast<char>(colour.r);
        out += static_cast<char>(colour.g);
        out += static_cast<char>(colour.b);
    }
    out += ',';
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, width);
    putWord(out, height);
    out += '\0'; // no local colour table, not interlaced
    out += static_cast<char>(minCodeSize);

    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    CodeWriter writer(out);
    std::unordered_map<std::uint32_t, int> table;
    int codeBits = minCodeSize + 1;
    int nextCode = clearCode + 2;
    writer.put(clearCode, codeBits);

    int prefix = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8) | pixels[i];
        if (const auto it = table.find(key); it != table.end()) {
            prefix = it->second;
            continue;
        }
        writer.put(prefix, codeBits);
        if (nextCode < MaxCodes) {
            // The decoder learns each code one step later than we do, so it widens its codes
            // when the code just added needs the extra bit.
            if (nextCode == (1 << codeBits))
                ++codeBits;
            table.emplace(key, nextCode++);
        } else {
            writer.put(clearCode, codeBits);
            table.clear();
            codeBits = minCodeSize + 1;
            nextCode = clearCode + 2;
        }
        prefix = pixels[i];
    }
    writer.put(prefix, codeBits);
    writer.put(endCode, codeBits);
    writer.finish();
    out += ';';
    return out;
}

} // namespace pellomar::directory
