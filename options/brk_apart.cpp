// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/brk_apart.h"

#include <string_view>

void TBrkApart::BreakApart()
{
    stringList_.clear();
    std::string_view rest = BaseString;
    for (;;) {
        const std::size_t at = BreakString.empty() ? std::string_view::npos : rest.find(BreakString);
        const std::string_view piece = rest.substr(0, at);
        if (!piece.empty() || AllowEmptyString)
            stringList_.emplace_back(piece);
        if (at == std::string_view::npos)
            return;
        rest.remove_prefix(at + BreakString.size());
    }
}
