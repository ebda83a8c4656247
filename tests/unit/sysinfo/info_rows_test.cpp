// SPDX-License-Identifier: GPL-3.0-or-later
// What the information dialog shows, worked out over a fake machine.

#include "platform/fake/fake_system_facts.h"
#include "platform/fake/memory_registry.h"
#include "sysinfo/info_rows.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint64_t kMB = 1048576;

std::vector<std::pair<std::string, std::string>> Filled(const std::vector<InfoRow>& rows)
{
    std::vector<std::pair<std::string, std::string>> out;
    for (const InfoRow& row : rows)
        out.emplace_back(row.label, row.value());
    return out;
}

std::vector<double> Values(const std::vector<InfoBar>& bars)
{
    std::vector<double> out;
    for (const InfoBar& bar : bars)
        out.push_back(bar.value());
    return out;
}

TEST(InfoRows, MemoryTableAndBars)
{
    platform::FakeSystemFacts facts;
    facts.memory = {75, 32 * kMB, 8 * kMB, 100 * kMB, 25 * kMB, 3072 * kMB, 3000 * kMB};
    facts.handles[0] = {10, 40};
    facts.handles[1] = {1, 3};
    facts.decimalSeparator = ',';
    TSysInfo info(facts);
    info.SetLanguage(TLanguage::lgEnglish);
    using Row = std::pair<std::string, std::string>;
    EXPECT_EQ(Filled(MemoryRows(info, facts)), (std::vector<Row>{
                                                   {"仮想ﾒﾓﾘ", "3072,00 Mb"},
                                                   {"物理ﾒﾓﾘ", "32,00 Mb"},
                                                   {"ｽﾜｯﾌﾟﾌｧｲﾙ", "100,00 Mb"},
                                                   {"ｽﾜｯﾌﾟﾌｧｲﾙ使用率", "75 %"},
                                                   {"使用可能物理ﾒﾓﾘ", "8,00 Mb"},
                                                   {"使用可能仮想ﾒﾓﾘ", "3000,00 Mb"},
                                                   {"使用可能ｽﾜｯﾌﾟﾌｧｲﾙ", "25,00 Mb"},
                                                   {"使用可能ﾕｰｻﾞｰﾘｿｰｽ", "75 %"},
                                                   {"使用可能GDIﾘｿｰｽ", "66 %"},
                                               }));
    // The English windows: MB below a gigabyte, GB below a terabyte (an
    // address space), one decimal, grouped.
    const auto english = Filled(MemoryRows(info, facts, true));
    EXPECT_EQ(english[0].second, "3.0 GB");
    EXPECT_EQ(english[1].second, "32 MB");
    for (const auto& [megabytes, text] : std::vector<std::pair<double, std::string>>{{0, "0 MB"},
                                                                                     {1023.4, "1,023 MB"},
                                                                                     {1023.6, "1.0 GB"},
                                                                                     {7986, "7.8 GB"},
                                                                                     {1048524, "1,023.9 GB"},
                                                                                     {1048525, "1.0 TB"},
                                                                                     {134217728, "128.0 TB"}})
        EXPECT_EQ(EnglishSizeText(megabytes), text) << megabytes;
    EXPECT_EQ(Values(PhysicalMemoryBars(info)), (std::vector<double>{24, 8}));
    EXPECT_EQ(Values(SwapBars(info)), (std::vector<double>{75, 25}));
    EXPECT_EQ(Values(ResourceBars(facts)), (std::vector<double>{25, 75}));
    const auto bars = PhysicalMemoryBars(info);
    EXPECT_EQ(bars[0].label, "使用");
    EXPECT_EQ(bars[0].rgb, 0x808080u);
    EXPECT_EQ(bars[1].label, "空き");
    EXPECT_EQ(bars[1].rgb, 0x008000u);

    // Without a reading of free handles the whole bar is in use.
    facts.handles.clear();
    EXPECT_EQ(Values(ResourceBars(facts)), (std::vector<double>{100, 0}));
}

TEST(InfoRows, DirectoriesAndSystem)
{
    platform::FakeSystemFacts facts;
    facts.version = platform::OsVersion{6, 1, 42, -1, "Debian GNU/Linux 12 (bookworm)"};
    facts.computerName = "workstation.example.org";
    struct Case {
        std::string temp, shown;
    };
    const Case temps[] = {{"/tmp/", "/tmp"}, {"/var/tmp", "/var/tmp"}, {"/", "/"}};
    platform::MemoryRegistry registry;  // no boot directory, owner or organisation
    for (const Case& c : temps) {
        facts.tempDirectory = c.temp;
        const auto rows = Filled(DirectoryRows(facts, registry));
        ASSERT_EQ(rows.size(), 4u);
        EXPECT_EQ(rows[0], (std::pair<std::string, std::string>{"起動ﾃﾞｨﾚｸﾄﾘ", ""}));
        EXPECT_EQ(rows[1].second, facts.windowsDirectory);
        EXPECT_EQ(rows[2].second, facts.systemDirectory);
        EXPECT_EQ(rows[3], (std::pair<std::string, std::string>{"Tempﾃﾞｨﾚｸﾄﾘ", c.shown}));
    }

    registry.WriteString(platform::RootKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                         "RegisteredOwner", "Ann Example");
    TSysInfo info(facts);
    info.SetLanguage(TLanguage::lgEnglish);
    using Row = std::pair<std::string, std::string>;
    EXPECT_EQ(Filled(SystemRows(info, registry)), (std::vector<Row>{
                                                      {"ｺﾝﾋﾟｭｰﾀｰ名", "workstation.example.org"},
                                                      {"会社名", ""},
                                                      {"ﾕｰｻﾞｰ名", "Ann Example"},
                                                      {"ﾌﾟﾗｯﾄﾌｫｰﾑ", "Debian GNU/Linux 12 (bookworm)"},
                                                      {"ﾊﾞｰｼﾞｮﾝ", "6.1"},
                                                      {"ﾋﾞﾙﾄﾞﾅﾝﾊﾞｰ", "#42"},
                                                  }));
    // A kernel version without "#N" gives no build number, and no row for one.
    facts.version->build = 0;
    TSysInfo withoutBuild(facts);
    EXPECT_EQ(Filled(SystemRows(withoutBuild, registry)).size(), 5u);
}

}  // namespace
