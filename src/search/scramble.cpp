#include "search/scramble.h"

namespace pellomar {

void Scramble(std::span<char> bytes)
{
    for (char &c : bytes)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ 0x80u);
}

std::string Scrambled(std::string_view bytes)
{
    std::string out(bytes);
    Scramble(out);
    return out;
}

} // namespace pellomar
