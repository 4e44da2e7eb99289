#pragma once

#include <cstdint>

// Reads a piece length the way atol does (leading white space, one optional sign, decimal
// digits up to the first other character; no digit gives 0), but saturates at the signed
// 32-bit range instead of wrapping.
std::int32_t parsePieceSeconds(const char* text);
