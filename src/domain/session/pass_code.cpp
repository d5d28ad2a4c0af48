#include "domain/session/pass_code.h"

#include <sodium.h>

#include <stdexcept>

#include "core/picture.h"
#include "core/text.h"
#include "data/wdbtable.h"

namespace qz::domain {

namespace {

constexpr std::string_view kHashPrefix = "$argon2id$";
static_assert(kPassCodeWidth == crypto_pwhash_STRBYTES - 1);

void start_sodium() {
    if (sodium_init() < 0) throw std::runtime_error("No se pudo iniciar la biblioteca de claves");
}

PassCodeCost g_cost = PassCodeCost::Interactive;

bool blank(std::string_view code) { return trim(code).empty(); }

void require_room_for_hash(const data::WDBTable& t, const std::string& field) {
    const data::FieldDef* f = t.def().field(field);
    if (!f) throw std::invalid_argument("Campo " + field + " no existe en " + t.def().name());
    if (f->kind == data::FieldKind::M) return;
    if (f->kind != data::FieldKind::C || f->width < kPassCodeWidth)
        throw std::invalid_argument("El campo " + field + " de " + t.def().name() +
                                    " no puede guardar una clave protegida");
}

}  // namespace

std::string normalise_pass_code(std::string_view code, const PassCodeRule& rule) {
    return pad_right(rule.upper_case ? upper_latin(code) : std::string(code), rule.width);
}

std::string hash_pass_code(std::string_view typed, const PassCodeRule& rule) {
    start_sodium();
    const std::string norm = normalise_pass_code(typed, rule);
    char out[crypto_pwhash_STRBYTES];
    const bool minimum = g_cost == PassCodeCost::Minimum;
    const auto ops = minimum ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE;
    const auto mem = minimum ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE;
    if (crypto_pwhash_str(out, norm.data(), norm.size(), ops, mem) != 0)
        throw std::runtime_error("No hay memoria suficiente para proteger la clave");
    return out;
}

void set_pass_code_cost(PassCodeCost cost) { g_cost = cost; }

bool is_pass_code_hash(std::string_view stored) { return starts_with(stored, kHashPrefix); }

bool verify_pass_code(std::string_view typed, std::string_view hash, const PassCodeRule& rule) {
    // A C field comes back blank-padded to its width; a hash never ends in a blank.
    const std::string h = rtrim(hash);
    // A hash longer than the library's buffer is not one of ours; refuse it before reading.
    if (!is_pass_code_hash(h) || h.size() >= crypto_pwhash_STRBYTES) return false;
    start_sodium();
    const std::string norm = normalise_pass_code(typed, rule);
    return crypto_pwhash_str_verify(h.c_str(), norm.data(), norm.size()) == 0;
}

bool plain_pass_code_matches(std::string_view typed, std::string_view plain,
                             const PassCodeRule& rule) {
    return normalise_pass_code(typed, rule) == normalise_pass_code(plain, rule);
}

bool pass_code_matches(std::string_view typed, std::string_view stored, const PassCodeRule& rule) {
    return is_pass_code_hash(stored) ? verify_pass_code(typed, stored, rule)
                                     : plain_pass_code_matches(typed, stored, rule);
}

PassCodeCheck check_pass_code(std::string_view typed, std::string_view stored,
                              const PassCodeRule& rule) {
    PassCodeCheck c;
    c.matches = pass_code_matches(typed, stored, rule);
    if (c.matches && !is_pass_code_hash(stored) && !blank(stored))
        c.rehashed = hash_pass_code(typed, rule);
    return c;
}

PassCodeLookup find_by_pass_code(std::string_view typed, const std::vector<std::string>& stored,
                                 const PassCodeRule& rule) {
    PassCodeLookup found;
    for (size_t i = 0; i < stored.size(); ++i)
        if (pass_code_matches(typed, stored[i], rule)) found.matches.push_back(i);
    // Hashed only once the code is known to name one record: a hash costs as much as a verify.
    if (found.found()) {
        const std::string& only = stored[found.matches.front()];
        if (!is_pass_code_hash(only) && !blank(only)) found.rehashed = hash_pass_code(typed, rule);
    }
    return found;
}

bool check_pass_code_field(data::WDBTable& t, const std::string& field, std::string_view typed,
                           const PassCodeRule& rule) {
    require_room_for_hash(t, field);
    const PassCodeCheck c = check_pass_code(typed, t.str(field), rule);
    if (!c.rehashed.empty()) t.FieldPut(field, c.rehashed);
    return c.matches;
}

void put_pass_code(data::WDBTable& t, const std::string& field, std::string_view typed,
                   const PassCodeRule& rule) {
    require_room_for_hash(t, field);
    t.FieldPut(field, blank(typed) ? std::string() : hash_pass_code(typed, rule));
}

}  // namespace qz::domain
