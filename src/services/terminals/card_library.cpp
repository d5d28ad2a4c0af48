#include "services/terminals/card_library.h"

#include <dlfcn.h>

namespace qz::services::terminals {

std::optional<CardLibrary> CardLibrary::load(const std::string& path,
                                             std::initializer_list<const char*> symbols) {
    // RTLD_LOCAL: the two networks' libraries may export names alike; neither sees the other's.
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h) return std::nullopt;
    CardLibrary lib(h);
    for (const char* s : symbols)
        if (!lib.symbol(s)) return std::nullopt;
    return lib;
}

CardLibrary::~CardLibrary() {
    if (m_handle) dlclose(m_handle);
}

void* CardLibrary::symbol(const char* name) const { return dlsym(m_handle, name); }

}  // namespace qz::services::terminals
