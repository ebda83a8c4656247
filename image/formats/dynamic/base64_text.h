// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Base64 text (RFC 4648, white space between groups allowed, padding
// optional) to bytes; nothing when the text holds any other character or
// ends inside a byte.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view text);
