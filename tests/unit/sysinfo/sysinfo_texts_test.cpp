// SPDX-License-Identifier: GPL-3.0-or-later
// The component's own texts and number formats.

#include "sysinfo/info_rows.h"
#include "sysinfo/proc_info.h"
#include "sysinfo/sysinfo_texts.h"

#include <gtest/gtest.h>

namespace {

using enum TLanguage;

TEST(SysInfoTexts, TablesHoldSixteenTextsInUtf8)
{
    EXPECT_EQ(LanguageText(lgFrench, kTextModel), "Mod\xC3\xA8le");
    EXPECT_EQ(LanguageText(lgFrench, kTextRemote), "Lecteur r\xC3\xA9seau");
    EXPECT_EQ(LanguageText(lgEnglish, kTextUnknown), "Unknown");
    EXPECT_EQ(LanguageText(lgEnglish, kTextMB), "Mb");
    EXPECT_EQ(LanguageText(lgFrench, kTextMB), "Mo");
    for (int i = 0; i < 16; ++i) {
        EXPECT_FALSE(LanguageText(lgFrench, i).empty()) << i;
        EXPECT_FALSE(LanguageText(lgEnglish, i).empty()) << i;
    }
    EXPECT_EQ(LanguageText(lgEnglish, 16), "");
    EXPECT_EQ(LanguageText(lgEnglish, -1), "");
}

TEST(SysInfoTexts, SizesInEachUnitAndLanguage)
{
    struct Case {
        std::uint64_t bytes;
        TSpaceUnit unit;
        TLanguage language;
        char separator;
        const char* text;
    };
    const Case cases[] = {
        {1572864, TSpaceUnit::suMB, lgEnglish, '.', "1.50 Mb"},
        {1572864, TSpaceUnit::suMB, lgFrench, '.', "1.50 Mo"},
        {1572864, TSpaceUnit::suMB, lgFrench, ',', "1,50 Mo"},
        {1536, TSpaceUnit::suKB, lgEnglish, '.', "1.50 Kb"},
        {7, TSpaceUnit::suByte, lgFrench, '.', "7.00 octet(s)"},
        // Sizes beyond 32 bits are carried whole.
        {6ull << 30, TSpaceUnit::suMB, lgEnglish, '.', "6144.00 Mb"},
        {(1ull << 40) + 5 * 1048576ull / 100, TSpaceUnit::suMB, lgEnglish, '.', "1048576.05 Mb"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatSize(c.bytes, c.unit, c.language, c.separator), c.text) << c.bytes;
}

TEST(SysInfoTexts, SerialNumberIsTwoHexHalves)
{
    EXPECT_EQ(SerialNumberText(0x1A2B3C4D), "1A2B-3C4D");
    EXPECT_EQ(SerialNumberText(15), "0000-000F");
    EXPECT_EQ(SerialNumberText(0xFFFFFFFF), "FFFF-FFFF");
}

TEST(SysInfoTexts, ProcessorTexts)
{
    struct Case {
        std::uint32_t architecture, type;
        std::uint16_t level, revision;
        TLanguage language;
        const char *arch, *typeText, *levelText, *revisionText;
    };
    const Case cases[] = {
        {0, 486, 4, 0x0300, lgEnglish, "Intel", "Intel 486", "486", "D0"},
        {0, 586, 5, 0x020C, lgEnglish, "Intel", "Intel Pentium", "Pentium", "Model 2 Pass 12"},
        {0, 586, 25, 0x1101, lgFrench, "Intel", "Intel Pentium", "Introuvable", "Mod\xC3\xA8le 17 Passe 1"},
        {1, 4000, 4, 0x0007, lgEnglish, "MIPS", "MIPS R4000", "R4000", "7"},
        {2, 21046, 21164, 0x0203, lgEnglish, "Alpha", "Alpha 21046", "21164", "Model C Pass 3"},
        {3, 0, 9, 0x0102, lgEnglish, "Power PC", "Standard", "604+", "1.2"},
        {12, 0, 8, 0x0102, lgEnglish, "Code 12", "Standard", "Unknown because architecture is missing", "Code 258"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ArchitectureText(c.architecture), c.arch);
        EXPECT_EQ(ProcessorTypeText(c.type), c.typeText);
        EXPECT_EQ(ProcessorLevelText(c.architecture, c.level, c.language), c.levelText);
        EXPECT_EQ(ProcessorRevisionText(c.architecture, c.type, c.revision, c.language), c.revisionText);
    }
}

TEST(SysInfoTexts, ChartMarkValues)
{
    EXPECT_EQ(GroupedValueText(24), "24");
    EXPECT_EQ(GroupedValueText(1234.5), "1,235");
    EXPECT_EQ(GroupedValueText(31999.4), "31,999");
    EXPECT_EQ(GroupedValueText(1234567), "1,234,567");
    EXPECT_EQ(GroupedValueText(0), "0");
    EXPECT_EQ(PercentText(100, 100, '.'), "100 %");
    EXPECT_EQ(PercentText(0, 100, '.'), "0 %");
    EXPECT_EQ(PercentText(1, 3, '.'), "33.3 %");
    EXPECT_EQ(PercentText(2, 3, ','), "66,7 %");
    EXPECT_EQ(PercentText(5, 0, '.'), "0 %");
    EXPECT_EQ(MbText(32, '.'), "32.00 Mb");
}

}  // namespace
