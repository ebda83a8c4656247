// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of a profile (INI) file and the edits the profile calls make to it.
// Sections and keys match without regard to ASCII case; the first of
// duplicates wins. A write changes only its own line: every other line, the
// line ends and a UTF-8 byte order mark are kept. A new key goes after the last
// key of its section, a new section at the end of the file.

#include <optional>
#include <string>
#include <vector>

class ProfileText {
public:
    explicit ProfileText(const std::string& content = {});

    // The value of section/key with surrounding blanks removed (and one pair of
    // matching quotes), or nothing when the key is not there.
    std::optional<std::string> Get(const std::string& section, const std::string& key) const;
    // A value holding a line break is refused (RefuseLineBreak) and nothing changes.
    void Set(const std::string& section, const std::string& key, const std::string& value);

    std::string Serialize() const;

private:
    struct Line {
        std::string text;  // without its line end
        std::string end;   // "\n", "\r\n" or "" for a last line without one
    };

    std::optional<std::size_t> FindSection(const std::string& section) const;
    std::optional<std::size_t> FindKey(std::size_t sectionLine, const std::string& key) const;
    std::size_t InsertionPoint(std::size_t sectionLine) const;

    std::vector<Line> lines_;
    std::string bom_;
    std::string newline_ = "\n";
};

// Reads of strings stop at this many characters (the read buffer the program
// has always used holds 1023 characters and a terminator).
constexpr std::size_t kProfileStringLimit = 1023;

// Cuts a UTF-8 text to at most `limit` characters without splitting one.
std::string CutToCharacters(const std::string& text, std::size_t limit);

// Raises ZelvaroError "'%s' は改行を含むため設定ファイルに書き込めません" (the
// value shown escaped) when the value holds a line feed, carriage return or
// NUL: a line of the file cannot hold one inside a value.
void RefuseLineBreak(const std::string& value);
