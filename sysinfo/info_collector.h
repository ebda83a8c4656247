// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skeleton of the system information collectors (TMemoryInfo,
// TVersionInfo, TDiskInfo, TProcInfo, TVolInfo): a collector reads the
// machine's facts into its public fields in its own Refresh, and gathers
// again whenever one of its settings changes to another value. `kSettings`
// names the settings a collector has, the language of the texts it makes
// and the unit of the sizes it gives; the accessors of a setting it lacks
// are not there.

#include "platform/system_facts.h"
#include "sysinfo/sysinfo_texts.h"

// The settings a collector may have, as bits of `kSettings`.
enum InfoCollectorSetting : unsigned { kLanguageSetting = 1, kSpaceUnitSetting = 2 };

template <class Collector, unsigned kSettings>
class InfoCollector {
    static constexpr bool kHasLanguage = (kSettings & kLanguageSetting) != 0;
    static constexpr bool kHasSpaceUnit = (kSettings & kSpaceUnitSetting) != 0;

public:
    explicit InfoCollector(const platform::SystemFacts& facts) : facts_(facts) {}

    TLanguage Language() const requires kHasLanguage { return language_; }
    void SetLanguage(TLanguage language) requires kHasLanguage { Change(language_, language); }
    TSpaceUnit SpaceUnit() const requires kHasSpaceUnit { return spaceUnit_; }
    void SetSpaceUnit(TSpaceUnit unit) requires kHasSpaceUnit { Change(spaceUnit_, unit); }

protected:
    const platform::SystemFacts& facts_;
    TLanguage language_ = TLanguage::lgFrench;
    TSpaceUnit spaceUnit_ = TSpaceUnit::suMB;

private:
    template <class Setting>
    void Change(Setting& setting, Setting value)
    {
        if (value == setting)
            return;
        setting = value;
        static_cast<Collector&>(*this).Refresh();
    }
};
