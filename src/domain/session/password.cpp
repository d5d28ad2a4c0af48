#include "domain/session/password.h"

#include <sodium.h>

#include <stdexcept>

#include "core/legacy_crypt.h"
#include "core/picture.h"
#include "core/text.h"

namespace qz::domain {

namespace {

constexpr size_t kPasswordWidth = 10;

void start_sodium() {
    if (sodium_init() < 0) throw std::runtime_error("No se pudo iniciar la biblioteca de claves");
}

}  // namespace

std::string normalise_password(std::string_view plain) {
    // Login fields upper-case accented letters as they are typed; so does the comparison.
    return pad_right(upper_latin(plain), kPasswordWidth);
}

std::string hash_password(std::string_view plain) {
    start_sodium();
    const std::string norm = normalise_password(plain);
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, norm.data(), norm.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw std::runtime_error("No hay memoria suficiente para proteger la clave");
    return out;
}

bool verify_password(std::string_view plain, const std::string& hash) {
    // A hash longer than the library's buffer is not one of ours; refuse it before reading.
    if (hash.empty() || hash.size() >= crypto_pwhash_STRBYTES) return false;
    start_sodium();
    const std::string norm = normalise_password(plain);
    return crypto_pwhash_str_verify(hash.c_str(), norm.data(), norm.size()) == 0;
}

bool matches_stored_password(std::string_view typed, int form, std::string_view password,
                             const std::string& pwd_hash) {
    switch (static_cast<StoredForm>(form)) {
        case StoredForm::Hashed:
            return verify_password(typed, pwd_hash);
        case StoredForm::Plain:
            return normalise_password(typed) == pad_right(password, kPasswordWidth);
        case StoredForm::Scrambled:
            return normalise_password(typed) ==
                   pad_right(DECRYPT_STRING(password, 1), kPasswordWidth);
    }
    return false;
}

}  // namespace qz::domain
