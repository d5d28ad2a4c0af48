#pragma once
// Stored passwords: an argon2id hash of the password as the login dialogs hand it over, upper
// case and blank-padded (or cut) to the 10 characters the user table always kept, so a password
// typed "caja2026" or "CAJA2026  " is the same password it always was.
#include <string>
#include <string_view>

namespace qz::domain {

// The form that is hashed: the default pass-code rule (pass_code.h), letters upper-cased,
// blank-padded or cut to 10 characters.
std::string normalise_password(std::string_view plain);

// A self-describing argon2id hash ("$argon2id$v=19$...") with its own random salt. Throws
// std::runtime_error when the hashing library cannot start or runs out of memory.
std::string hash_password(std::string_view plain);

// Whether `plain` is the password `hash` was made from. A blank or malformed hash matches nothing.
bool verify_password(std::string_view plain, const std::string& hash);

// How a user record keeps its password (USUARIOS.ADASIPA). Plain and scrambled values sit in
// PASSWORD and survive only from older installations until their first login re-hashes them.
enum class StoredForm { Plain = 0, Scrambled = 1, Hashed = 2 };

// Whether `typed` is the password of a record kept in `form`: the hash in `pwd_hash`, or the
// legacy value in `password` (descrambled when scrambled), both sides upper case and
// blank-padded to 10, as the hash it is upgraded to compares them. A hashed form whose hash is
// blank or malformed, and an unknown form, match nothing.
bool matches_stored_password(std::string_view typed, int form, std::string_view password,
                             const std::string& pwd_hash);

}  // namespace qz::domain
