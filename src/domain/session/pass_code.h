#pragma once
// Pass codes: the login's passwords and every other code a person types to prove who they are
// (register and operator passwords, credit keys, authorisers, referral clerks, waiters). Each is
// stored as an argon2id hash of the code in the form its rule compares, so a code typed
// "caja2026" or "CAJA2026  " is the same code it always was. Values from older installations are
// still the plain code: they are accepted by the same rule and handed back hashed, for the caller
// to store in the same transaction as whatever the code allowed.
//
// Blank codes behave as the login always treated them: a blank stored value is compared like any
// plain value (it matches a blank or all-blank typed code, nothing else) and is never replaced by
// a hash, so "no code set" stays visible to whoever asks whether a code is set. A hash of a blank
// code is a hash like any other. A hash that is malformed matches nothing at all.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "data/catalogue.h"

namespace qz::data {
class WDBTable;
}

namespace qz::domain {

// How a code is compared. The default is the login's: letters upper-cased (ASCII and the
// accented Latin ones, as the login fields type them) and the code blank-padded or cut to 10
// characters. A code compared with its case must say `upper_case = false`.
struct PassCodeRule {
    bool upper_case = true;  // on both sides: the typed code and a plain stored value
    size_t width = 10;       // characters, not bytes
};

// The widest hash the hashing library writes (its buffer less the terminating zero); the ones
// made here are about 97 characters. The catalogue declares every C field that keeps a pass code
// this wide; M fields hold any length.
using data::kPassCodeWidth;

// The form of a code that is hashed and compared.
std::string normalise_pass_code(std::string_view code, const PassCodeRule& rule = {});

// A self-describing argon2id hash ("$argon2id$v=19$...") of the normalised code, with its own
// random salt; about 50 ms and 64 MiB on purpose. Throws std::runtime_error when the hashing
// library cannot start or runs out of memory.
std::string hash_pass_code(std::string_view typed, const PassCodeRule& rule = {});

// How hard new hashes are to compute. Every installation keeps the interactive cost; test
// programs, which hash the demonstration's codes hundreds of times, take the library's minimum.
// A hash records its own cost, so either kind is verified the same way.
enum class PassCodeCost { Interactive, Minimum };
void set_pass_code_cost(PassCodeCost cost);

// Whether a stored value is a hash rather than a plain legacy code (trailing blanks of a C field
// are ignored).
bool is_pass_code_hash(std::string_view stored);

// Whether `typed` is the code `hash` was made from, by the rule it was made with (one argon2id
// run). A value that is no hash (blank, plain) matches nothing.
bool verify_pass_code(std::string_view typed, std::string_view hash, const PassCodeRule& rule = {});
// Whether `typed` is the plain legacy code `plain`, both normalised by the rule.
bool plain_pass_code_matches(std::string_view typed, std::string_view plain,
                             const PassCodeRule& rule = {});
// Either of the two, as the stored value says: a hash is verified, anything else is plain.
bool pass_code_matches(std::string_view typed, std::string_view stored,
                       const PassCodeRule& rule = {});

// What checking a typed code found. `rehashed` is set when the stored value was a plain legacy
// code that matched: the caller stores it in place of the plain value.
struct PassCodeCheck {
    bool matches = false;
    std::string rehashed;
};
PassCodeCheck check_pass_code(std::string_view typed, std::string_view stored,
                              const PassCodeRule& rule = {});

// A record found by its code alone. Salted hashes cannot be searched: every hashed candidate
// costs one argon2id run (about 50 ms and 64 MiB here), and every candidate is tried even after a
// match so that two records with the same code are found out. Callers hand over only the records
// the code may belong to (the business's, the active ones). `matches` holds the candidates'
// positions in their order; an ambiguous match identifies nobody and must be refused. `rehashed`
// is set when the one match was a plain legacy code.
struct PassCodeLookup {
    std::vector<size_t> matches;
    std::string rehashed;
    bool found() const { return matches.size() == 1; }
    bool ambiguous() const { return matches.size() > 1; }
};
PassCodeLookup find_by_pass_code(std::string_view typed, const std::vector<std::string>& stored,
                                 const PassCodeRule& rule = {});

// The pass code in `field` of the record `t` stands on. A plain legacy value that matches is
// replaced by its hash with FieldPut, so it is written by the record's next commit or unlock:
// the caller holds the record's lock and its transaction. Both functions throw
// std::invalid_argument when the field cannot keep a hash (a C field narrower than
// kPassCodeWidth), since a hash cut short would keep its owner out for good.
bool check_pass_code_field(data::WDBTable& t, const std::string& field, std::string_view typed,
                           const PassCodeRule& rule = {});
// Stores a new code hashed; a blank code is stored blank (no code set).
void put_pass_code(data::WDBTable& t, const std::string& field, std::string_view typed,
                   const PassCodeRule& rule = {});

}  // namespace qz::domain
