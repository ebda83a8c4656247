// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A time zone at whatever place the test sets.

#include "platform/time_zone_place.h"

namespace platform {

class FakeTimeZonePlace : public TimeZonePlace {
public:
    explicit FakeTimeZonePlace(std::optional<GeoPlace> place = {}) : place_(place) {}
    std::optional<GeoPlace> Place() const override { return place_; }
    void Set(std::optional<GeoPlace> place) { place_ = place; }

private:
    std::optional<GeoPlace> place_;
};

}  // namespace platform
