// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Splits a text at every occurrence of a separator of any length. Empty
// pieces (two separators side by side, a separator at either end) are kept
// only when asked: "\a\\b\" at "\" gives a, b; with AllowEmptyString it gives
// "", a, "", b, "".

#include <string>
#include <vector>

class TBrkApart {
public:
    std::string BreakString;
    std::string BaseString;
    bool AllowEmptyString = false;

    const std::vector<std::string>& StringList() const { return stringList_; }
    // Assigning copies the given list.
    void SetStringList(const std::vector<std::string>& list) { stringList_ = list; }

    // Splits BaseString into StringList. An empty separator never matches:
    // the whole text is the one piece.
    void BreakApart();

private:
    std::vector<std::string> stringList_;
};
