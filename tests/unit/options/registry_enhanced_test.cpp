// SPDX-License-Identifier: GPL-3.0-or-later
// The string splitter and the registry helper's key and name splitting and
// value kinds, over the in-memory registry.

#include "options/brk_apart.h"
#include "options/registry_enhanced.h"
#include "platform/fake/memory_registry.h"

#include <gtest/gtest.h>

#include <vector>

using platform::RootKey;

TEST(BrkApart, SplitsWithAndWithoutEmptyPieces)
{
    struct Case {
        const char* base;
        const char* separator;
        bool allowEmpty;
        std::vector<std::string> pieces;
    };
    const std::vector<Case> cases = {
        {"\\a\\\\b\\", "\\", false, {"a", "b"}},
        {"\\a\\\\b\\", "\\", true, {"", "a", "", "b", ""}},
        {"one<>two<>", "<>", false, {"one", "two"}},
        {"one<>two<>", "<>", true, {"one", "two", ""}},
        {"", "\\", false, {}},
        {"", "\\", true, {""}},
        {"whole", "", false, {"whole"}},
        {"aaa", "aa", true, {"", "a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.base) + " at " + c.separator);
        TBrkApart splitter;
        splitter.BaseString = c.base;
        splitter.BreakString = c.separator;
        splitter.AllowEmptyString = c.allowEmpty;
        splitter.SetStringList({"stale"});
        splitter.BreakApart();
        EXPECT_EQ(splitter.StringList(), c.pieces);
    }
}

TEST(RegistryEnhanced, KeyAndNameSplitting)
{
    struct Case {
        const char* key;
        const char* name;
        const char* wantKey;
        const char* wantName;
    };
    const std::vector<Case> cases = {
        {"Control Panel\\Desktop\\", "TileWallPaper", "\\Control Panel\\Desktop", "TileWallPaper"},
        {"Control Panel\\Desktop\\", "Sub\\Val", "\\Control Panel\\Desktop\\Sub", "Val"},
        {"\\Software\\Zelvaro", "\\A\\\\B\\Val\\", "\\Software\\Zelvaro\\A\\B", "Val"},
        {"\\", "Val", "\\", "Val"},
        {"X", "\\Val", "\\X", "\\Val"},
    };
    platform::MemoryRegistry registry;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " / " + c.name);
        TRegistryEnhanced helper(registry);
        helper.Key = c.key;
        const auto place = helper.PlaceOf(c.name);
        ASSERT_TRUE(place);
        EXPECT_EQ(place->key, c.wantKey);
        EXPECT_EQ(place->name, c.wantName);
    }
    TRegistryEnhanced empty(registry);
    EXPECT_FALSE(empty.PlaceOf("Val"));
}

TEST(RegistryEnhanced, WritesByTheKindOfTheValue)
{
    platform::MemoryRegistry registry;
    TRegistryEnhanced helper(registry);
    helper.Key = "Control Panel\\Desktop\\";
    helper.WriteRegValue("TileWallPaper", std::string("1"));
    helper.WriteRegValue("Sub\\Count", std::int32_t{-2});
    helper.WriteRegValue("Flag", true);
    helper.WriteRegValue("Real", 1.5);
    helper.WriteRegValue("Money", RegCurrency{25000});
    helper.WriteRegValue("Nothing", std::monostate{});

    EXPECT_TRUE(platform::WallpaperTiled(registry));
    const char* desk = "Control Panel\\Desktop";
    EXPECT_EQ(registry.ReadDword(RootKey::CurrentUser, "Control Panel\\Desktop\\Sub", "Count"), 0xFFFFFFFEu);
    EXPECT_EQ(registry.ReadDword(RootKey::CurrentUser, desk, "Flag"), 1u);
    EXPECT_EQ(registry.ReadBinary(RootKey::CurrentUser, desk, "Real"),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));
    EXPECT_EQ(registry.ReadBinary(RootKey::CurrentUser, desk, "Money"),
              (std::vector<std::uint8_t>{0xA8, 0x61, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(registry.store.Read(RootKey::CurrentUser, desk, "Nothing"));

    // A key that cannot be made: nothing written, nothing raised.
    platform::MemoryRegistry broken;
    broken.failWrites = true;
    TRegistryEnhanced silent(broken);
    silent.Key = "Control Panel\\Desktop\\";
    silent.WriteRegValue("TileWallPaper", std::string("0"));
    EXPECT_FALSE(platform::WallpaperTiled(broken));
    EXPECT_FALSE(broken.ReadString(RootKey::CurrentUser, desk, "TileWallPaper"));
}
