// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/file_types.h"

#include "base/text_helpers.h"
#include "image/image_format.h"
#include "options/brk_apart.h"

namespace {

std::vector<std::string> Split(const std::string& text, const char* separator)
{
    TBrkApart splitter;
    splitter.BreakString = separator;
    splitter.BaseString = text;
    splitter.AllowEmptyString = true;
    splitter.BreakApart();
    return splitter.StringList();
}

// Iterative wildcard match with one back-tracking point: linear in practice,
// never exponential on names like "aaaa...b" against "*a*a*a*c".
bool WildcardMatch(const std::string& name, const std::string& pattern)
{
    std::size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace

std::vector<FileType> ParseFileTypes(const std::string& text)
{
    std::vector<FileType> types;
    if (text.empty())
        return types;
    const std::vector<std::string> pieces = Split(text, "|");
    for (std::size_t i = 0; i < pieces.size(); i += 2)
        types.push_back({pieces[i], i + 1 < pieces.size() ? pieces[i + 1] : std::string("*")});
    return types;
}

std::string ImagePatterns()
{
    std::string patterns;
    for (const bool listedFirst : {true, false})
        for (const ImageFormat* format : ImageFormats())
            for (const FileExtension& extension : format->Extensions)
                if (extension.ListedFirst == listedFirst)
                    patterns += (patterns.empty() ? "*." : ";*.") + AsciiUpper(std::string(extension.Spelling));
    return patterns;
}

std::string ImageFileTypes()
{
    return std::string(kBmpFileTypes) + "|画像ﾌｧｲﾙ|" + ImagePatterns();
}

std::string TileFileTypes()
{
    return "画像ﾌｧｲﾙ|" + ImagePatterns() + "|" + kBmpFileTypes;
}

std::string OpenBmpOwnFileTypes()
{
    return std::string(kBmpFileTypes) + "|画像ファイル|" + ImagePatterns();
}

bool MatchesFilePattern(const std::string& name, const std::string& patterns)
{
    const std::string upperName = AsciiUpper(name);
    for (const std::string& raw : Split(patterns, ";")) {
        const std::string pattern = AsciiUpper(TrimBlanks(raw));
        if (pattern.empty())
            continue;
        if (pattern == "*.*" || WildcardMatch(upperName, pattern))
            return true;
    }
    return false;
}
