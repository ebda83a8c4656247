// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/shared_library.h"

#include <dlfcn.h>

SharedLibrary::SharedLibrary(const std::string& soname) : handle_(dlopen(soname.c_str(), RTLD_NOW | RTLD_LOCAL))
{}

void* SharedLibrary::Symbol(const char* name) const
{
    return handle_ ? dlsym(handle_, name) : nullptr;
}
