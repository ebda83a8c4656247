// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A shared library loaded when it is first needed rather than at start-up.
// The HEIF/AVIF and JPEG XL decoders bring a dozen libraries whose start-up
// work (tables, timer calibration) every run of the clock would pay for a
// format most folders never hold. Once loaded, a library stays loaded.

#include <string>

class SharedLibrary {
public:
    // Loads `soname`; Loaded() is false when it is not installed or broken.
    explicit SharedLibrary(const std::string& soname);
    bool Loaded() const { return handle_ != nullptr; }
    // Looks up one function; false (and `fn` null) when the library lacks it.
    template <class Fn>
    bool Find(const char* name, Fn*& fn) const
    {
        fn = reinterpret_cast<Fn*>(Symbol(name));
        return fn != nullptr;
    }

private:
    void* Symbol(const char* name) const;
    void* handle_ = nullptr;
};
