// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the system information component makes up itself, in French or
// English, and its number formats.

#include <cstdint>
#include <string>

enum class TLanguage { lgFrench, lgEnglish };
enum class TSpaceUnit { suByte, suKB, suMB };

// Indexes into the language table.
enum LanguageTextIndex {
    kTextWin32s = 0,
    kTextWindows95 = 1,
    kTextWindowsNT = 2,
    kTextUnknown = 3,
    kTextUnknownArchitecture = 4,
    kTextModel = 5,
    kTextPass = 6,
    kTextNoRoot = 7,
    kTextRemovable = 8,
    kTextFixed = 9,
    kTextRemote = 10,
    kTextCdRom = 11,
    kTextRamDisk = 12,
    kTextBytes = 13,
    kTextKB = 14,
    kTextMB = 15,
};

// One of the 16 texts of a language (UTF-8); empty for an index outside it.
const std::string& LanguageText(TLanguage language, int index);

// 1, 1024 or 1048576.
double SpaceDivisor(TSpaceUnit unit);

// The size text of a unit: "octet(s)", "Ko", "Mo" or "byte(s)", "Kb", "Mb".
const std::string& UnitText(TLanguage language, TSpaceUnit unit);

// `value` with two decimals ("%.2f") and `decimalSeparator` in place of ".".
std::string FormatFixed2(double value, char decimalSeparator);

// bytes ÷ the unit's divisor, two decimals, " " and the unit text ("1.50 Mb").
std::string FormatSize(std::uint64_t bytes, TSpaceUnit unit, TLanguage language, char decimalSeparator);

// High 16 bits, "-", low 16 bits, each as four upper-case hexadecimal digits.
std::string SerialNumberText(std::uint32_t serial);
