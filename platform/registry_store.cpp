// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry_store.h"

#include "base/text_helpers.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <limits>

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
bool IsHeader(std::string_view line)
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

// The path of a key under its root, normalised; empty when it lies more than
// the store's depth limit below the root.
std::optional<std::string> KeyPath(platform::RootKey root, const std::string& key)
{
    const std::string norm = NormaliseRegistryKey(key);
    if (!norm.empty() &&
        std::count(norm.begin(), norm.end(), '\\') >= static_cast<std::ptrdiff_t>(RegistryStore::kMaxDepth))
        return std::nullopt;
    std::string path = kRootNames[static_cast<std::size_t>(root)];
    if (!norm.empty())
        path += '\\' + norm;
    return path;
}

unsigned char Upper(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

// Compares as the upper-cased texts would, byte by byte. Paths share long
// beginnings, so equal bytes are passed over eight at a time.
int CompareUpper(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t x = 0, y = 0;
        std::memcpy(&x, a.data() + i, 8);
        std::memcpy(&y, b.data() + i, 8);
        if (x != y)
            break;
    }
    for (; i < n; ++i) {
        const unsigned char x = Upper(a[i]), y = Upper(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool IsSection(std::string_view line)
{
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

void DropReturns(std::string_view& line)
{
    while (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
}

// The file's lines one by one, each with where it starts.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool Next(std::string_view& line)
    {
        if (pos_ >= text_.size())
            return false;
        start_ = pos_;
        const std::size_t end = text_.find('\n', pos_);
        line = text_.substr(pos_, end == std::string_view::npos ? std::string_view::npos : end - pos_);
        pos_ = end == std::string_view::npos ? text_.size() : end + 1;
        return true;
    }
    std::size_t Start() const { return start_; }
    void Rewind() { pos_ = start_; }
    std::size_t Position() const { return pos_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t start_ = 0;
};

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

std::string_view RegistryStore::View(Span span) const
{
    return std::string_view(text_).substr(span.at, span.size);
}

RegistryStore::Span RegistryStore::Add(std::string_view text)
{
    const Span span{static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(text.size())};
    text_ += text;
    return span;
}

std::size_t RegistryStore::KeyBound(std::string_view path) const
{
    const auto it = std::lower_bound(keys_.begin(), keys_.end(), path, [&](const KeyRecord& k, std::string_view p) {
        return CompareUpper(View(k.path), p) < 0;
    });
    return static_cast<std::size_t>(it - keys_.begin());
}

std::optional<std::size_t> RegistryStore::FindKey(std::string_view path) const
{
    const std::size_t at = KeyBound(path);
    if (at < keys_.size() && CompareUpper(View(keys_[at].path), path) == 0)
        return at;
    return std::nullopt;
}

std::size_t RegistryStore::FindOrInsertKey(std::string_view path)
{
    const std::size_t at = KeyBound(path);
    if (at < keys_.size() && CompareUpper(View(keys_[at].path), path) == 0)
        return at;
    keys_.insert(keys_.begin() + static_cast<std::ptrdiff_t>(at), KeyRecord{Add(path), 0});
    // What refers to the keys after it moves along.
    for (ValueRecord& v : values_)
        v.key += v.key >= at ? 1 : 0;
    for (KeptLine& k : kept_)
        k.key += k.key > at ? 1 : 0;
    return at;
}

bool RegistryStore::HasKey(platform::RootKey root, const std::string& key) const
{
    const auto path = KeyPath(root, key);
    if (!path)
        return false;
    if (FindKey(*path))
        return true;
    // A key below it makes it exist too.
    const std::string below = *path + '\\';
    const std::size_t at = KeyBound(below);
    return at < keys_.size() && View(keys_[at].path).size() > below.size() &&
           CompareUpper(View(keys_[at].path).substr(0, below.size()), below) == 0;
}

bool RegistryStore::CreateKey(platform::RootKey root, const std::string& key)
{
    if (HasKey(root, key))
        return false;
    const auto path = KeyPath(root, key);
    if (!path)
        return false;
    FindOrInsertKey(*path);
    return true;
}

bool RegistryStore::Write(platform::RootKey root, const std::string& key, const std::string& name, Value value)
{
    const auto path = KeyPath(root, key);
    if (!path)
        return false;
    const auto k = static_cast<std::uint32_t>(FindOrInsertKey(*path));
    const auto it = std::lower_bound(values_.begin(), values_.end(), std::pair{k, std::string_view(name)},
                                     [&](const ValueRecord& v, const std::pair<std::uint32_t, std::string_view>& p) {
                                         return v.key != p.first ? v.key < p.first
                                                                 : CompareUpper(View(v.name), p.second) < 0;
                                     });
    if (it != values_.end() && it->key == k && CompareUpper(View(it->name), name) == 0)
        it->value = std::move(value);
    else
        values_.insert(it, ValueRecord{k, 0, Add(name), std::move(value)});
    return true;
}

const RegistryStore::Value* RegistryStore::Read(platform::RootKey root, const std::string& key,
                                                const std::string& name) const
{
    const auto path = KeyPath(root, key);
    const auto k = path ? FindKey(*path) : std::nullopt;
    if (!k)
        return nullptr;
    const auto it = std::lower_bound(values_.begin(), values_.end(), name,
                                     [&](const ValueRecord& v, const std::string& n) {
                                         return v.key != *k ? v.key < *k : CompareUpper(View(v.name), n) < 0;
                                     });
    if (it == values_.end() || it->key != *k || CompareUpper(View(it->name), name) != 0)
        return nullptr;
    return &it->value;
}

std::string RegistryStore::ToText() const
{
    std::string out = "REGEDIT4\n";
    out.reserve(text_.size() + values_.size() * 16 + keys_.size() * 4);
    auto kept = kept_.begin();
    auto value = values_.begin();
    for (; kept != kept_.end() && kept->key == 0; ++kept)
        out.append(View(kept->line)).append("\n");
    for (std::uint32_t k = 0; k < keys_.size(); ++k) {
        out.append("\n[").append(View(keys_[k].path)).append("]\n");
        for (; kept != kept_.end() && kept->key == k + 1; ++kept)
            out.append(View(kept->line)).append("\n");
        for (; value != values_.end() && value->key == k; ++value) {
            out += value->name.size == 0 ? std::string("@") : QuotedEscaped(View(value->name));
            out += '=';
            if (const auto* s = std::get_if<std::string>(&value->value)) {
                out += QuotedEscaped(*s);
            } else if (const auto* d = std::get_if<std::uint32_t>(&value->value)) {
                char buf[16];
                std::snprintf(buf, sizeof buf, "dword:%08x", *d);
                out += buf;
            } else {
                out += "hex:";
                const auto& bytes = std::get<std::vector<std::uint8_t>>(value->value);
                for (std::size_t i = 0; i < bytes.size(); ++i) {
                    char buf[4];
                    std::snprintf(buf, sizeof buf, "%02x", bytes[i]);
                    out.append(i ? "," : "").append(buf);
                }
            }
            out += '\n';
        }
    }
    for (const Span& deep : deep_)
        out += View(deep);
    return out;
}

RegistryStore RegistryStore::FromText(std::string_view text)
{
    RegistryStore store;
    if (text.size() > std::numeric_limits<std::uint32_t>::max())
        return store;
    // Every piece kept is at most as long as the text it came from.
    store.text_.reserve(text.size() + 1);
    constexpr std::uint32_t kNoKey = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t current = kNoKey;
    auto keep = [&](std::string_view line) {
        if (line.empty())
            return;
        const std::uint32_t key = current == kNoKey ? 0 : current + 1;
        // Lines one after the other are one piece, a line feed between.
        if (!store.kept_.empty() && store.kept_.back().key == key &&
            store.kept_.back().line.at + store.kept_.back().line.size == store.text_.size()) {
            store.text_.append("\n").append(line);
            store.kept_.back().line.size += static_cast<std::uint32_t>(line.size() + 1);
            return;
        }
        store.kept_.push_back(KeptLine{key, store.Add(line)});
    };
    std::uint32_t order = 0;
    LineReader lines(text);
    // Keys and values read again and again are merged once their records
    // outweigh the text read, so what repeats costs nothing more.
    std::size_t settledBytes = 0;
    auto recordBytes = [&] {
        return store.keys_.size() * sizeof(KeyRecord) + store.values_.size() * sizeof(ValueRecord);
    };
    auto settleWhenGrown = [&] {
        const std::size_t bytes = recordBytes();
        if (bytes < 2 * lines.Position() + (std::size_t{64} << 10) || bytes < 2 * settledBytes)
            return;
        const auto index = store.Settle();
        if (current != kNoKey)
            current = index[current];
        settledBytes = recordBytes();
    };
    std::string_view line;
    bool first = true;
    while (lines.Next(line)) {
        // Every carriage return at the end goes, so a line reads the same
        // once it is written back.
        DropReturns(line);
        if (first && IsHeader(line)) {
            first = false;
            continue;
        }
        first = false;
        if (IsSection(line)) {
            current = kNoKey;
            bool deep = false;
            const std::string_view path = line.substr(1, line.size() - 2);
            const std::string_view rootName = path.substr(0, path.find('\\'));
            for (std::size_t r = 0; r < kRootNames.size(); ++r) {
                if (CompareUpper(rootName, kRootNames[r]) != 0)
                    continue;
                const auto full = KeyPath(static_cast<platform::RootKey>(r), std::string(path.substr(rootName.size())));
                if (!full) {
                    // Too deep to read: the key and its lines stay as they
                    // are, up to the next key.
                    const std::size_t start = lines.Start();
                    std::string_view next;
                    while (lines.Next(next)) {
                        DropReturns(next);
                        if (IsSection(next)) {
                            lines.Rewind();
                            break;
                        }
                    }
                    store.deep_.push_back(store.Add(text.substr(start, lines.Position() - start)));
                    deep = true;
                    break;
                }
                settleWhenGrown();
                current = static_cast<std::uint32_t>(store.keys_.size());
                store.keys_.push_back(KeyRecord{store.Add(*full), current});
            }
            if (current == kNoKey && !deep)
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
            auto n = Unquote(std::string(line), pos);
            if (!n) {
                keep(line);
                continue;
            }
            name = std::move(*n);
        }
        if (current == kNoKey || pos >= line.size() || line[pos] != '=') {
            keep(line);
            continue;
        }
        std::string joined;
        // Long binary values go on over lines that end in a backslash.
        if (line.compare(pos + 1, 3, "hex") == 0) {
            joined = line;
            std::string_view more;
            while (!joined.empty() && joined.back() == '\\' && lines.Next(more)) {
                joined.pop_back();
                // Carriage returns before the backslash go too, as at the end
                // of any line: a backslash they hid continues the value.
                while (!joined.empty() && joined.back() == '\r')
                    joined.pop_back();
                DropReturns(more);
                const auto start = more.find_first_not_of(" \t");
                if (start != std::string_view::npos)
                    joined += more.substr(start);
            }
            // Continued past the end of the file: every backslash and
            // carriage return left there goes, so the line reads the same
            // once it is written back.
            while (!joined.empty() && (joined.back() == '\\' || joined.back() == '\r'))
                joined.pop_back();
            line = joined;
        }
        auto value = ParseData(std::string(line.substr(pos + 1)));
        if (!value) {
            keep(line);
            continue;
        }
        settleWhenGrown();
        store.values_.push_back(ValueRecord{current, order++, store.Add(name), std::move(*value)});
    }
    store.Settle();
    return store;
}

std::vector<std::uint32_t> RegistryStore::Settle()
{
    // Keys: in order, a key read twice held once, as first written.
    for (std::size_t i = 0; i < keys_.size(); ++i)
        keys_[i].seq = static_cast<std::uint32_t>(i);
    const auto keyOrder = [&](const KeyRecord& a, const KeyRecord& b) {
        const int c = CompareUpper(View(a.path), View(b.path));
        return c != 0 ? c < 0 : a.seq < b.seq;
    };
    // A file this store wrote is in order already.
    if (!std::is_sorted(keys_.begin(), keys_.end(), keyOrder))
        std::sort(keys_.begin(), keys_.end(), keyOrder);
    std::vector<std::uint32_t> index(keys_.size());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (kept > 0 && CompareUpper(View(keys_[kept - 1].path), View(keys_[i].path)) == 0) {
            index[keys_[i].seq] = static_cast<std::uint32_t>(kept - 1);
            continue;
        }
        index[keys_[i].seq] = static_cast<std::uint32_t>(kept);
        keys_[kept++] = keys_[i];
    }
    keys_.resize(kept);
    // Values: by key and name; a name read twice keeps its first spelling
    // and its last value.
    for (ValueRecord& v : values_)
        v.key = index[v.key];
    const auto valueOrder = [&](const ValueRecord& a, const ValueRecord& b) {
        if (a.key != b.key)
            return a.key < b.key;
        const int c = CompareUpper(View(a.name), View(b.name));
        return c != 0 ? c < 0 : a.seq < b.seq;
    };
    if (!std::is_sorted(values_.begin(), values_.end(), valueOrder))
        std::sort(values_.begin(), values_.end(), valueOrder);
    std::size_t held = 0;
    for (std::size_t i = 0; i < values_.size(); ++i) {
        if (held > 0 && values_[held - 1].key == values_[i].key &&
            CompareUpper(View(values_[held - 1].name), View(values_[i].name)) == 0) {
            values_[held - 1].value = std::move(values_[i].value);
            continue;
        }
        if (held != i)
            values_[held] = std::move(values_[i]);
        ++held;
    }
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(held), values_.end());
    // Lines not understood: by key, in the order read (their place in the
    // text grows as they are read).
    for (KeptLine& k : kept_)
        k.key = k.key == 0 ? 0 : index[k.key - 1] + 1;
    std::sort(kept_.begin(), kept_.end(), [](const KeptLine& a, const KeptLine& b) {
        return a.key != b.key ? a.key < b.key : a.line.at < b.line.at;
    });
    return index;
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
        return FromText(std::string_view(bytes).substr(3));
    return FromText(bytes);
}
