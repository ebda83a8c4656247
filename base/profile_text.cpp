// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/profile_text.h"

#include "base/text_helpers.h"
#include "base/translatable.h"
#include "base/zelvaro_error.h"

namespace {

// The name of a "[section]" line, or nothing for any other line.
std::optional<std::string> SectionName(const std::string& line)
{
    // Most lines are not sections: they are told apart without a copy.
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] != '[')
        return std::nullopt;
    const std::string t = TrimBlanks(line);
    const auto close = t.find(']');
    return TrimBlanks(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

bool IsComment(const std::string& line)
{
    const std::string t = TrimBlanks(line);
    return !t.empty() && t.front() == ';';
}

// Splits "key=value"; nothing for lines without "=".
std::optional<std::pair<std::string, std::string>> KeyValue(const std::string& line)
{
    if (IsComment(line))
        return std::nullopt;
    const auto eq = line.find('=');
    if (eq == std::string::npos)
        return std::nullopt;
    return std::pair{TrimBlanks(line.substr(0, eq)), TrimBlanks(line.substr(eq + 1))};
}

}  // namespace

ProfileText::ProfileText(const std::string& content)
{
    std::size_t pos = 0;
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        bom_ = content.substr(0, 3);
        pos = 3;
    }
    bool sawCrLf = false;
    while (pos < content.size()) {
        const auto nl = content.find('\n', pos);
        if (nl == std::string::npos) {
            lines_.push_back({content.substr(pos), ""});
            break;
        }
        const bool cr = nl > pos && content[nl - 1] == '\r';
        sawCrLf = sawCrLf || cr;
        lines_.push_back({content.substr(pos, nl - pos - (cr ? 1 : 0)), cr ? "\r\n" : "\n"});
        pos = nl + 1;
    }
    if (sawCrLf)
        newline_ = "\r\n";
}

std::optional<std::size_t> ProfileText::FindSection(const std::string& section) const
{
    const std::string wanted = TrimBlanks(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i].text);
        if (name && SameAsciiName(*name, wanted))
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileText::FindKey(std::size_t sectionLine, const std::string& key) const
{
    const std::string wanted = TrimBlanks(key);
    for (std::size_t i = sectionLine + 1; i < lines_.size(); ++i) {
        if (SectionName(lines_[i].text))
            break;
        const auto kv = KeyValue(lines_[i].text);
        if (kv && SameAsciiName(kv->first, wanted))
            return i;
    }
    return std::nullopt;
}

std::size_t ProfileText::InsertionPoint(std::size_t sectionLine) const
{
    // After the section's last non-blank line, so blank lines that separate it
    // from the next section stay between them.
    std::size_t last = sectionLine;
    for (std::size_t i = sectionLine + 1; i < lines_.size(); ++i) {
        if (SectionName(lines_[i].text))
            break;
        if (!TrimBlanks(lines_[i].text).empty())
            last = i;
    }
    return last + 1;
}

std::optional<std::string> ProfileText::Get(const std::string& section, const std::string& key) const
{
    const auto s = FindSection(section);
    if (!s)
        return std::nullopt;
    const auto k = FindKey(*s, key);
    if (!k)
        return std::nullopt;
    std::string value = KeyValue(lines_[*k].text)->second;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

void ProfileText::Set(const std::string& section, const std::string& key, const std::string& value)
{
    RefuseLineBreak(value);
    const std::string line = TrimBlanks(key) + "=" + value;
    const auto s = FindSection(section);
    if (!s) {
        if (!lines_.empty() && lines_.back().end.empty())
            lines_.back().end = newline_;
        lines_.push_back({"[" + TrimBlanks(section) + "]", newline_});
        lines_.push_back({line, newline_});
        return;
    }
    if (const auto k = FindKey(*s, key)) {
        lines_[*k].text = line;
        return;
    }
    const std::size_t at = InsertionPoint(*s);
    if (at == lines_.size() && !lines_.empty() && lines_.back().end.empty())
        lines_.back().end = newline_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{line, newline_});
}

std::string ProfileText::Serialize() const
{
    std::string out = bom_;
    for (const auto& l : lines_)
        out += l.text + l.end;
    return out;
}

std::string CutToCharacters(const std::string& text, std::size_t limit)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80) {
            if (chars == limit)
                return text.substr(0, i);
            ++chars;
        }
    }
    return text;
}

void RefuseLineBreak(const std::string& value)
{
    if (HoldsLineBreak(value))
        throw ZelvaroError(QT_TRANSLATE_NOOP("Messages", "'%s' は改行を含むため設定ファイルに書き込めません"),
                           ShownEscaped(value));
}
