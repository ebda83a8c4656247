// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry_store.h"

#include "base/text_helpers.h"

#include <array>
#include <cstdio>
#include <sstream>

namespace {

constexpr std::array<const char*, 6> kRootNames{"HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER",
                                                "HKEY_DYN_DATA",     "HKEY_LOCAL_MACHINE",  "HKEY_USERS"};

// Reads a quoted text at `pos`; on success `pos` is past the closing quote.
std::optional<std::string> Unquote(const std::string& line, std::size_t& pos)
{
    if (pos >= line.size() || line[pos] != '"')
        return std::nullopt;
    std::string out;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c == '\\' && pos + 1 < line.size()) {
            c = line[++pos];
            out += c == 'n' ? '\n' : c;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<RegistryStore::Value> ParseData(const std::string& data)
{
    std::size_t pos = 0;
    if (!data.empty() && data[0] == '"') {
        auto s = Unquote(data, pos);
        if (!s)
            return std::nullopt;
        return RegistryStore::Value(*s);
    }
    if (data.rfind("dword:", 0) == 0) {
        const std::string digits = data.substr(6);
        if (digits.empty() || digits.size() > 8)
            return std::nullopt;
        std::uint32_t v = 0;
        for (char c : digits) {
            const int d = HexDigit(c);
            if (d < 0)
                return std::nullopt;
            v = (v << 4) | static_cast<std::uint32_t>(d);
        }
        return RegistryStore::Value(v);
    }
    if (data.rfind("hex:", 0) == 0) {
        std::vector<std::uint8_t> bytes;
        const std::string list = data.substr(4);
        for (std::size_t i = 0; i < list.size();) {
            if (i + 1 >= list.size() || HexDigit(list[i]) < 0 || HexDigit(list[i + 1]) < 0)
                return std::nullopt;
            bytes.push_back(static_cast<std::uint8_t>(HexDigit(list[i]) * 16 + HexDigit(list[i + 1])));
            i += 2;
            if (i < list.size() && list[i] != ',')
                return std::nullopt;
            ++i;
        }
        return RegistryStore::Value(std::move(bytes));
    }
    return std::nullopt;
}

// The header lines of the two export forms; the store writes the first.
bool IsHeader(const std::string& line)
{
    return line == "REGEDIT4" || line == "Windows Registry Editor Version 5.00";
}

void AppendUtf8(std::string& out, std::uint32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 after its byte order mark as UTF-8; nothing for an odd length or a
// surrogate without its partner.
std::optional<std::string> Utf16ToUtf8(const std::string& bytes, bool bigEndian)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<std::uint32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    std::string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i < bytes.size(); i += 2) {
        std::uint32_t c = unit(i);
        if (c >= 0xDC00 && c <= 0xDFFF)
            return std::nullopt;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 3 >= bytes.size())
                return std::nullopt;
            const std::uint32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF)
                return std::nullopt;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace

std::string NormaliseRegistryKey(const std::string& key)
{
    std::string out;
    bool sep = false;
    for (char c : key) {
        if (c == '\\') {
            sep = !out.empty();
            continue;
        }
        if (sep)
            out += '\\';
        sep = false;
        out += c;
    }
    return out;
}

std::string RegistryStore::Id(platform::RootKey root, const std::string& key)
{
    const std::string norm = NormaliseRegistryKey(key);
    std::string id = kRootNames[static_cast<std::size_t>(root)];
    if (!norm.empty())
        id += '\\' + norm;
    return id;
}

bool RegistryStore::HasKey(platform::RootKey root, const std::string& key) const
{
    return keys_.count(AsciiUpper(Id(root, key))) != 0;
}

bool RegistryStore::CreateKey(platform::RootKey root, const std::string& key)
{
    const std::string id = Id(root, key);
    bool added = false;
    // Every parent exists too, as in the registry.
    for (std::size_t pos = id.find('\\');; pos = id.find('\\', pos + 1)) {
        const std::string part = pos == std::string::npos ? id : id.substr(0, pos);
        auto [it, inserted] = keys_.try_emplace(AsciiUpper(part));
        if (inserted) {
            it->second.path = part;
            added = true;
        }
        if (pos == std::string::npos)
            break;
    }
    return added;
}

void RegistryStore::Write(platform::RootKey root, const std::string& key, const std::string& name, Value value)
{
    CreateKey(root, key);
    Key& k = keys_[AsciiUpper(Id(root, key))];
    auto [it, inserted] = k.values.try_emplace(AsciiUpper(name));
    if (inserted)
        it->second.name = name;
    it->second.value = std::move(value);
}

const RegistryStore::Value* RegistryStore::Read(platform::RootKey root, const std::string& key,
                                                const std::string& name) const
{
    auto k = keys_.find(AsciiUpper(Id(root, key)));
    if (k == keys_.end())
        return nullptr;
    auto v = k->second.values.find(AsciiUpper(name));
    return v == k->second.values.end() ? nullptr : &v->second.value;
}

std::string RegistryStore::ToText() const
{
    std::string out = "REGEDIT4\n";
    for (const std::string& line : kept_)
        out += line + '\n';
    for (const auto& [id, key] : keys_) {
        out += "\n[" + key.path + "]\n";
        for (const std::string& line : key.kept)
            out += line + '\n';
        for (const auto& [upper, entry] : key.values) {
            out += entry.name.empty() ? std::string("@") : QuotedEscaped(entry.name);
            out += '=';
            if (const auto* s = std::get_if<std::string>(&entry.value)) {
                out += QuotedEscaped(*s);
            } else if (const auto* d = std::get_if<std::uint32_t>(&entry.value)) {
                char buf[16];
                std::snprintf(buf, sizeof buf, "dword:%08x", *d);
                out += buf;
            } else {
                out += "hex:";
                const auto& bytes = std::get<std::vector<std::uint8_t>>(entry.value);
                for (std::size_t i = 0; i < bytes.size(); ++i) {
                    char buf[4];
                    std::snprintf(buf, sizeof buf, "%02x", bytes[i]);
                    out += (i ? "," : "") + std::string(buf);
                }
            }
            out += '\n';
        }
    }
    return out;
}

RegistryStore RegistryStore::FromText(const std::string& text)
{
    RegistryStore store;
    std::istringstream in(text);
    std::string line;
    Key* current = nullptr;
    bool first = true;
    auto keep = [&](std::string kept) {
        if (!kept.empty())
            (current ? current->kept : store.kept_).push_back(std::move(kept));
    };
    while (std::getline(in, line)) {
        // Every carriage return at the end goes, so a line reads the same
        // once it is written back.
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (first && IsHeader(line)) {
            first = false;
            continue;
        }
        first = false;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = nullptr;
            const std::string path = line.substr(1, line.size() - 2);
            const std::string rootName = path.substr(0, path.find('\\'));
            for (std::size_t r = 0; r < kRootNames.size(); ++r) {
                if (AsciiUpper(rootName) != kRootNames[r])
                    continue;
                const auto root = static_cast<platform::RootKey>(r);
                const std::string rest = rootName.size() < path.size() ? path.substr(rootName.size()) : "";
                store.CreateKey(root, rest);
                current = &store.keys_[AsciiUpper(Id(root, rest))];
            }
            if (!current)
                keep(line);
            continue;
        }
        if (line.empty())
            continue;
        std::size_t pos = 0;
        std::string name;
        if (line[0] == '@') {
            pos = 1;
        } else {
            auto n = Unquote(line, pos);
            if (!n) {
                keep(line);
                continue;
            }
            name = *n;
        }
        if (!current || pos >= line.size() || line[pos] != '=') {
            keep(line);
            continue;
        }
        // Long binary values go on over lines that end in a backslash.
        if (line.compare(pos + 1, 3, "hex") == 0) {
            std::string more;
            while (!line.empty() && line.back() == '\\' && std::getline(in, more)) {
                line.pop_back();
                // Carriage returns before the backslash go too, as at the end
                // of any line: a backslash they hid continues the value.
                while (!line.empty() && line.back() == '\r')
                    line.pop_back();
                while (!more.empty() && more.back() == '\r')
                    more.pop_back();
                const auto start = more.find_first_not_of(" \t");
                line += start == std::string::npos ? std::string() : more.substr(start);
            }
            // Continued past the end of the file: every backslash and
            // carriage return left there goes, so the line reads the same
            // once it is written back.
            while (!line.empty() && (line.back() == '\\' || line.back() == '\r'))
                line.pop_back();
        }
        auto value = ParseData(line.substr(pos + 1));
        if (!value) {
            keep(line);
            continue;
        }
        auto [it, inserted] = current->values.try_emplace(AsciiUpper(name));
        if (inserted)
            it->second.name = name;
        it->second.value = std::move(*value);
    }
    return store;
}

std::optional<RegistryStore> RegistryStore::FromBytes(const std::string& bytes)
{
    if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0) {
        const auto text = Utf16ToUtf8(bytes, bytes[0] == '\xFE');
        if (!text)
            return std::nullopt;
        return FromText(*text);
    }
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return FromText(bytes.substr(3));
    return FromText(bytes);
}
