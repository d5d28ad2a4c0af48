#pragma once
// Stored passwords: an argon2id hash of the password as the login dialogs hand it over, upper
// case and blank-padded (or cut) to the 10 characters the user table always kept, so a password
// typed "caja2026" or "CAJA2026  " is the same password it always was.
#include <string>
#include <string_view>

namespace qz::domain {

// The form that is hashed: ASCII letters upper-cased, blank-padded or cut to 10 characters.
std::string normalise_password(std::string_view plain);

// A self-describing argon2id hash ("$argon2id$v=19$...") with its own random salt. Throws
// std::runtime_error when the hashing library cannot start or runs out of memory.
std::string hash_password(std::string_view plain);

// Whether `plain` is the password `hash` was made from. A blank or malformed hash matches nothing.
bool verify_password(std::string_view plain, const std::string& hash);

}  // namespace qz::domain
