#pragma once
// A network's client library, loaded for one call and unloaded when the object goes: the
// library may keep a connection to the terminal open while it is loaded, and another station's
// program (or a newer library copied in place) must find it free afterwards.
#include <initializer_list>
#include <optional>
#include <string>

namespace qz::services::terminals {

class CardLibrary {
public:
    // Nothing when the file cannot be loaded or lacks one of `symbols`.
    static std::optional<CardLibrary> load(const std::string& path,
                                           std::initializer_list<const char*> symbols);
    CardLibrary(CardLibrary&& other) noexcept : m_handle(other.m_handle) {
        other.m_handle = nullptr;
    }
    CardLibrary& operator=(CardLibrary&&) = delete;
    CardLibrary(const CardLibrary&) = delete;
    CardLibrary& operator=(const CardLibrary&) = delete;
    ~CardLibrary();

    // The exported function `name`, typed as `F` (a declaration of card_abi.h); load() has
    // already checked that it is there.
    template <class F>
    F* get(const char* name) const {
        return reinterpret_cast<F*>(symbol(name));
    }

private:
    explicit CardLibrary(void* handle) : m_handle(handle) {}
    void* symbol(const char* name) const;
    void* m_handle = nullptr;
};

}  // namespace qz::services::terminals
