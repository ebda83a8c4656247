// SPDX-License-Identifier: GPL-3.0-or-later
// The registry's store: keys regardless of case, the three kinds of value,
// the text form read back, damaged text read as far as it goes.
#include "platform/fake/memory_registry.h"
#include "platform/registry_store.h"

#include <gtest/gtest.h>

#include <tuple>

using platform::RootKey;

TEST(RegistryStore, KeysIgnoreCaseAndOuterSeparators)
{
    EXPECT_EQ(NormaliseRegistryKey("\\Control Panel\\Desktop\\"), "Control Panel\\Desktop");
    EXPECT_EQ(NormaliseRegistryKey("a\\\\b"), "a\\b");
    RegistryStore s;
    s.Write(RootKey::CurrentUser, "Control Panel\\Desktop\\", "TileWallPaper", std::string("1"));
    ASSERT_NE(s.Read(RootKey::CurrentUser, "\\control panel\\DESKTOP", "tilewallpaper"), nullptr);
    EXPECT_EQ(s.Read(RootKey::LocalMachine, "Control Panel\\Desktop", "TileWallPaper"), nullptr);
    EXPECT_TRUE(s.HasKey(RootKey::CurrentUser, "Control Panel"));  // parents exist
    EXPECT_FALSE(s.HasKey(RootKey::CurrentUser, "Control"));       // a part of a name is not one
    EXPECT_FALSE(s.CreateKey(RootKey::CurrentUser, "control panel"));
    EXPECT_TRUE(s.CreateKey(RootKey::CurrentUser, "Control"));
}

TEST(RegistryStore, KeysAndValuesReadTwiceAreHeldOnce)
{
    RegistryStore s = RegistryStore::FromText(
        "[HKEY_USERS\\b]\n\"x\"=\"1\"\n[HKEY_USERS\\a]\n\"Y\"=\"old\"\n"
        "[hkey_users\\B]\n\"X\"=\"2\"\n\"z\"=\"3\"\n[HKEY_USERS\\a]\n\"y\"=\"new\"\n");
    // A key written before the others leaves their values where they were.
    ASSERT_TRUE(s.Write(RootKey::Users, "0", "v", std::string("0")));
    const std::vector<std::tuple<const char*, const char*, const char*>> expected{
        {"b", "x", "2"}, {"B", "Z", "3"}, {"a", "y", "new"}, {"0", "v", "0"}};
    for (const auto& [key, name, value] : expected) {
        const auto* v = s.Read(RootKey::Users, key, name);
        ASSERT_NE(v, nullptr) << key << name;
        EXPECT_EQ(std::get<std::string>(*v), value) << key << name;
    }
    EXPECT_EQ(s.ToText(), "REGEDIT4\n\n[HKEY_USERS\\0]\n\"v\"=\"0\"\n\n[HKEY_USERS\\a]\n\"Y\"=\"new\"\n"
                          "\n[HKEY_USERS\\b]\n\"x\"=\"2\"\n\"z\"=\"3\"\n");
}

TEST(RegistryStore, KeysPastTheDepthLimitAreKeptAsText)
{
    struct Case {
        std::size_t depth;
        bool read;
    };
    for (const Case c :
         {Case{RegistryStore::kMaxDepth, true}, Case{RegistryStore::kMaxDepth + 1, false}, Case{20000, false}}) {
        std::string key;
        for (std::size_t i = 0; i < c.depth; ++i)
            key += i ? "\\k" : "k";
        const std::string block = "[HKEY_CURRENT_USER\\" + key + "]\r\n\"v\"=\"1\"\r\n; note\r\n\r\n";
        const std::string text = "REGEDIT4\r\n" + block + "[HKEY_USERS\\a]\r\n\"w\"=\"2\"";
        RegistryStore s = RegistryStore::FromText(text);
        EXPECT_EQ(std::get<std::string>(*s.Read(RootKey::Users, "a", "w")), "2") << c.depth;
        EXPECT_EQ(s.Read(RootKey::CurrentUser, key, "v") != nullptr, c.read) << c.depth;
        EXPECT_EQ(s.HasKey(RootKey::CurrentUser, key), c.read) << c.depth;
        EXPECT_EQ(s.Write(RootKey::CurrentUser, key, "new", std::uint32_t{1}), c.read) << c.depth;
        const std::string out = s.ToText();
        // What was not read is written back as it came, after the keys read.
        EXPECT_EQ(out.size() >= block.size() && out.compare(out.size() - block.size(), block.size(), block) == 0,
                  !c.read)
            << c.depth;
        EXPECT_EQ(RegistryStore::FromText(out).ToText(), out) << c.depth;
    }
}

TEST(RegistryStore, TextRoundTripKeepsEveryKindAndSpelling)
{
    RegistryStore s;
    s.Write(RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallPaper", std::string("1"));
    s.Write(RootKey::CurrentUser, "Software\\Zelvaro", "Quote", std::string("a \"b\" \\ c\nd"));
    s.Write(RootKey::CurrentUser, "Software\\Zelvaro", "Count", std::uint32_t{0xdeadbeef});
    s.Write(RootKey::ClassesRoot, ".htm", "", std::string("htmlfile"));
    s.Write(RootKey::LocalMachine, "X", "Bytes", std::vector<std::uint8_t>{0, 1, 0xff});
    s.Write(RootKey::LocalMachine, "X", "None", std::vector<std::uint8_t>{});
    const std::string text = s.ToText();
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"TileWallPaper\"=\"1\"\n"), std::string::npos);

    RegistryStore back = RegistryStore::FromText(text);
    EXPECT_EQ(back.ToText(), text);
    EXPECT_EQ(std::get<std::uint32_t>(*back.Read(RootKey::CurrentUser, "software\\zelvaro", "count")), 0xdeadbeefu);
    EXPECT_EQ(std::get<std::string>(*back.Read(RootKey::CurrentUser, "Software\\Zelvaro", "Quote")), "a \"b\" \\ c\nd");
    EXPECT_EQ(std::get<std::string>(*back.Read(RootKey::ClassesRoot, ".HTM", "")), "htmlfile");
    EXPECT_EQ(std::get<std::vector<std::uint8_t>>(*back.Read(RootKey::LocalMachine, "x", "bytes")),
              (std::vector<std::uint8_t>{0, 1, 0xff}));
}

TEST(RegistryStore, DamagedLinesAreSkippedNotFatal)
{
    const std::string text = "REGEDIT4\n\"orphan\"=\"x\"\n[HKEY_NOWHERE\\a]\n\"lost\"=\"x\"\n"
                             "[HKEY_CURRENT_USER\\k]\r\n\"good\"=\"1\"\r\n\"bad\"=dword:xyz\n\"open\"=\"unterminated\n"
                             "\"hex\"=hex:0\n\"big\"=dword:123456789\n@=dword:00000002\n[";
    RegistryStore s = RegistryStore::FromText(text);
    EXPECT_EQ(std::get<std::string>(*s.Read(RootKey::CurrentUser, "k", "good")), "1");
    EXPECT_EQ(std::get<std::uint32_t>(*s.Read(RootKey::CurrentUser, "k", "")), 2u);
    for (const char* name : {"bad", "open", "hex", "big", "orphan", "lost"})
        EXPECT_EQ(s.Read(RootKey::CurrentUser, "k", name), nullptr) << name;
    // A broken binary value whose backslash hid behind carriage returns, or
    // was the file's last byte, is kept as a line that reads the same again.
    for (const std::string broken :
         {"[HKEY_CURRENT_USER\\k]\n\"x\"=hex:zz\\\r\r\\\r\n[\\odd\n", "[HKEY_CURRENT_USER\\k]\n\"x\"=hex:zz\\\r\\"}) {
        const std::string once = RegistryStore::FromText(broken).ToText();
        EXPECT_EQ(RegistryStore::FromText(once).ToText(), once);
    }
}

TEST(MemoryRegistry, TilingValueAndFailedWrites)
{
    platform::MemoryRegistry r;
    EXPECT_FALSE(platform::WallpaperTiled(r));  // missing centres
    r.WriteString(RootKey::CurrentUser, "Control Panel\\Desktop\\", "TileWallPaper", "1");
    EXPECT_TRUE(platform::WallpaperTiled(r));
    r.WriteDword(RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallPaper", 1);
    EXPECT_FALSE(platform::WallpaperTiled(r));  // a number is not the string "1"
    EXPECT_FALSE(r.ReadString(RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallPaper"));
    r.failWrites = true;
    EXPECT_FALSE(r.WriteString(RootKey::CurrentUser, "New", "v", "x"));
    EXPECT_FALSE(r.OpenKey(RootKey::CurrentUser, "New", true));
}

TEST(RegistryStore, Utf16ExportsReadAndWhatIsNotUnderstoodIsKept)
{
    // An export as the registry editor writes it, in both byte orders: the
    // header, CR LF lines, a value continued over lines, a value type the
    // store does not know and a comment.
    const std::u16string text =
        u"Windows Registry Editor Version 5.00\r\n\r\n; exported\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
        u"\"TileWallpaper\"=\"1\"\r\n\"Wallpaper\"=\"C:\\\\壁紙\\\\𝄞.bmp\"\r\n\"Bin\"=hex:01,02,\\\r\n  03\r\n"
        u"\"Path\"=hex(2):25,00,00,00\r\n";
    for (const bool bigEndian : {false, true}) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t c : text) {
            const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        const auto s = RegistryStore::FromBytes(bytes);
        ASSERT_TRUE(s) << bigEndian;
        EXPECT_EQ(std::get<std::string>(*s->Read(RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallpaper")),
                  "1");
        EXPECT_EQ(std::get<std::string>(*s->Read(RootKey::CurrentUser, "Control Panel\\Desktop", "Wallpaper")),
                  "C:\\壁紙\\𝄞.bmp");
        EXPECT_EQ(std::get<std::vector<std::uint8_t>>(*s->Read(RootKey::CurrentUser, "Control Panel\\Desktop", "Bin")),
                  (std::vector<std::uint8_t>{1, 2, 3}));
        const std::string out = s->ToText();
        EXPECT_NE(out.find("; exported\n"), std::string::npos) << out;
        EXPECT_NE(out.find("\"Path\"=hex(2):25,00,00,00\n"), std::string::npos) << out;
        EXPECT_EQ(RegistryStore::FromText(out).ToText(), out);
    }
    // UTF-16 that does not decode is refused whole, so the file is left alone.
    for (const std::string& broken : {std::string("\xFF\xFE"
                                                  "A",
                                                  3),
                                      std::string("\xFF\xFE\x00\xDC", 4),
                                      std::string("\xFF\xFE\x00\xD8"
                                                  "A\x00",
                                                  6)})
        EXPECT_FALSE(RegistryStore::FromBytes(broken).has_value());
    EXPECT_TRUE(RegistryStore::FromBytes("\xEF\xBB\xBFREGEDIT4\n[HKEY_USERS\\a]\n")->HasKey(RootKey::Users, "a"));
}
