#include "domain/session/password.h"

#include "core/legacy_crypt.h"
#include "domain/session/pass_code.h"

namespace qz::domain {

// The login's passwords follow the default pass-code rule.

std::string normalise_password(std::string_view plain) { return normalise_pass_code(plain); }

std::string hash_password(std::string_view plain) { return hash_pass_code(plain); }

bool verify_password(std::string_view plain, const std::string& hash) {
    return verify_pass_code(plain, hash);
}

bool matches_stored_password(std::string_view typed, int form, std::string_view password,
                             const std::string& pwd_hash) {
    switch (static_cast<StoredForm>(form)) {
        case StoredForm::Hashed:
            return verify_pass_code(typed, pwd_hash);
        case StoredForm::Plain:
            return plain_pass_code_matches(typed, password);
        case StoredForm::Scrambled:
            return plain_pass_code_matches(typed, DECRYPT_STRING(password, 1));
    }
    return false;
}

}  // namespace qz::domain
