// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the information dialog shows: the rows of its three tables and the
// bars of its three charts, worked out from the system information
// component and the free functions. A row's value is asked only when the
// row is filled, so an error leaves the rows before it filled.

#include "platform/registry.h"
#include "platform/system_facts.h"
#include "sysinfo/sys_info.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct InfoRow {
    std::string label;
    std::function<std::string()> value;
};

// Boot, Windows, system and temporary directories.
std::vector<InfoRow> DirectoryRows(const platform::SystemFacts& facts, const platform::Registry& registry);
// Computer, organisation, owner, platform, version, and the build where the
// kernel gives one ("#1").
std::vector<InfoRow> SystemRows(const TSysInfo& sysInfo, const platform::Registry& registry);
// Memory figures in megabytes, swap usage and the two free-handle shares.
// `englishSizes`: sizes as EnglishSizeText writes them, for the English windows.
std::vector<InfoRow> MemoryRows(const TSysInfo& sysInfo, const platform::SystemFacts& facts, bool englishSizes = false);

struct InfoBar {
    std::string label;
    std::function<double()> value;
    std::uint32_t rgb = 0;  // 0xRRGGBB
};

constexpr std::uint32_t kUsedBarColour = 0x808080;
constexpr std::uint32_t kFreeBarColour = 0x008000;

// The "使用" and "空き" bars of each chart.
std::vector<InfoBar> PhysicalMemoryBars(const TSysInfo& sysInfo);
std::vector<InfoBar> SwapBars(const TSysInfo& sysInfo);
std::vector<InfoBar> ResourceBars(const platform::SystemFacts& facts);

// Megabytes with two decimals and " Mb" ("32.00 Mb").
std::string MbText(double megabytes, char decimalSeparator);
// Megabytes as English readers expect them: whole megabytes below a
// gigabyte, gigabytes with one decimal below a terabyte, else terabytes
// with one decimal; thousands grouped with "," ("512 MB", "7.8 GB",
// "1,023.9 GB", "128.0 TB").
std::string EnglishSizeText(double megabytes);
// A bar's value as "#,##0." shows it: rounded, thousands grouped with ",".
std::string GroupedValueText(double value);
// A bar's share of the total as "##0.# %" shows it: at most one decimal.
std::string PercentText(double value, double total, char decimalSeparator);
