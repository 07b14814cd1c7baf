#pragma once

#include <span>
#include <string>
#include <string_view>

namespace pellomar {

// The result file rests on disk with the top bit of every byte flipped. The flip is its own
// inverse: the same call scrambles and unscrambles.
void Scramble(std::span<char> bytes);
std::string Scrambled(std::string_view bytes);

} // namespace pellomar
