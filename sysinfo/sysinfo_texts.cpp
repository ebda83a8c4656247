// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/sysinfo_texts.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace {

using Table = std::array<std::string, 16>;

const Table& TableOf(TLanguage language)
{
    static const Table french = {
        "Windows 3.1x avec Win32s",
        "Windows 95 ou Win32",
        "Windows NT",
        "Introuvable",
        "Introuvable car l'architecture est inconnue",
        "Modèle",
        "Passe",
        "Racine inexistante",
        "Amovible/Disquette",
        "Fixe",
        "Lecteur réseau",
        "Lecteur CD-ROM",
        "Disque RAM",
        "octet(s)",
        "Ko",
        "Mo",
    };
    static const Table english = {
        "Windows 3.1x with Win32s",
        "Windows 95 or Win32",
        "Windows NT",
        "Unknown",
        "Unknown because architecture is missing",
        "Model",
        "Pass",
        "Inexistant root",
        "Removable/Floppy",
        "Fixed",
        "Remote drive",
        "CD-ROM drive",
        "RAM Disk",
        "byte(s)",
        "Kb",
        "Mb",
    };
    return language == TLanguage::lgEnglish ? english : french;
}

}  // namespace

const std::string& LanguageText(TLanguage language, int index)
{
    static const std::string none;
    if (index < 0 || index >= 16)
        return none;
    return TableOf(language)[static_cast<std::size_t>(index)];
}

double SpaceDivisor(TSpaceUnit unit)
{
    switch (unit) {
    case TSpaceUnit::suByte: return 1.0;
    case TSpaceUnit::suKB: return 1024.0;
    case TSpaceUnit::suMB: break;
    }
    return 1048576.0;
}

const std::string& UnitText(TLanguage language, TSpaceUnit unit)
{
    switch (unit) {
    case TSpaceUnit::suByte: return LanguageText(language, kTextBytes);
    case TSpaceUnit::suKB: return LanguageText(language, kTextKB);
    case TSpaceUnit::suMB: break;
    }
    return LanguageText(language, kTextMB);
}

std::string FormatFixed2(double value, char decimalSeparator)
{
    // to_chars ignores the C locale, so the separator is exactly the one given.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    std::string text(buffer, result.ptr);
    if (const auto dot = text.find('.'); dot != std::string::npos)
        text[dot] = decimalSeparator;
    return text;
}

std::string FormatSize(std::uint64_t bytes, TSpaceUnit unit, TLanguage language, char decimalSeparator)
{
    return FormatFixed2(static_cast<double>(bytes) / SpaceDivisor(unit), decimalSeparator) + " " +
           UnitText(language, unit);
}

std::string SerialNumberText(std::uint32_t serial)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04X-%04X", static_cast<unsigned>(serial >> 16),
                  static_cast<unsigned>(serial & 0xFFFFu));
    return buffer;
}
