// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File names are bytes on this system, and not every name is UTF-8. A path
// goes into a text field and comes back byte for byte: each byte that starts
// no UTF-8 character becomes one of the 128 code points U+DC80..U+DCFF (which
// no UTF-8 text yields) and turns back into that byte.

#include <QString>

#include <string>
#include <string_view>

QString PathText(std::string_view path);
std::string PathBytes(const QString& text);
