#include "services/mail/mail_template.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <stdexcept>

#include "core/text.h"

namespace qz::services {

namespace {

void replace_all(std::string& s, const std::string& from, const std::string& to) {
    if (from.empty()) return;
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

// Moves `cut` forward past any field name or tag that begins before it and ends after it.
size_t safe_cut(const std::string& buf, size_t cut, const MailFields& fields) {
    for (bool moved = true; moved && cut < buf.size();) {
        moved = false;
        for (const auto& [name, value] : fields) {
            if (name.empty()) continue;
            const size_t from = cut >= name.size() ? cut - name.size() + 1 : 0;
            for (size_t at = buf.find(name, from); at != std::string::npos && at < cut;
                 at = buf.find(name, at + 1)) {
                if (at + name.size() > cut) {
                    cut = at + name.size();
                    moved = true;
                }
            }
        }
        // A tag cut in two would hide its picture reference.
        const size_t open = buf.rfind('<', cut - 1), close = buf.rfind('>', cut - 1);
        if (open != std::string::npos && (close == std::string::npos || close < open)) {
            const size_t end = buf.find('>', cut);
            if (end != std::string::npos) {
                cut = end + 1;
                moved = true;
            }
        }
    }
    return std::min(cut, buf.size());
}

bool is_remote(const std::string& ref) {
    const std::string l = lower_ascii(ref);
    return l.find("://") != std::string::npos || starts_with(l, "cid:") ||
           starts_with(l, "data:") || starts_with(l, "mailto:");
}

// Rewrites src="NAME" to src="cid:BASENAME" and collects the base names.
void rewrite_pictures(std::string& s, std::vector<std::string>& pictures) {
    const std::string lower = lower_ascii(s);
    std::string out;
    size_t done = 0;
    for (size_t at = lower.find("src="); at != std::string::npos; at = lower.find("src=", at + 4)) {
        const size_t q = at + 4;
        if (q >= s.size() || (s[q] != '"' && s[q] != '\'')) continue;
        const size_t end = s.find(s[q], q + 1);
        if (end == std::string::npos) break;
        const std::string ref = s.substr(q + 1, end - q - 1);
        if (trim(ref).empty() || is_remote(ref)) continue;
        std::string base = std::filesystem::path(trim(ref)).filename().string();
        const size_t bs = base.find_last_of('\\');
        if (bs != std::string::npos) base = base.substr(bs + 1);
        if (std::find(pictures.begin(), pictures.end(), base) == pictures.end())
            pictures.push_back(base);
        out += s.substr(done, q + 1 - done) + "cid:" + base;
        done = end;
    }
    out += s.substr(done);
    s = std::move(out);
}

void substitute(std::string& piece, const MailFields& fields, std::vector<std::string>& pictures) {
    for (const auto& [name, value] : fields) replace_all(piece, name, value);
    rewrite_pictures(piece, pictures);
}

}  // namespace

std::vector<std::string> TRANS_FILE(std::istream& in, std::ostream& out, const MailFields& fields,
                                    size_t chunk) {
    for (const auto& f : fields) chunk = std::max(chunk, f.first.size());
    chunk = std::max<size_t>(chunk, 1);
    std::vector<std::string> pictures;
    std::string buf, block(chunk, '\0');
    bool eof = false;
    while (!eof) {
        while (!eof && buf.size() < 2 * chunk) {
            in.read(block.data(), static_cast<std::streamsize>(chunk));
            buf.append(block.data(), static_cast<size_t>(in.gcount()));
            eof = !in;
        }
        if (eof) break;
        const size_t cut = safe_cut(buf, chunk, fields);
        std::string piece = buf.substr(0, cut);
        buf.erase(0, cut);
        substitute(piece, fields, pictures);
        out << piece;
    }
    substitute(buf, fields, pictures);
    out << buf;
    return pictures;
}

std::vector<std::string> TRANS_FILE(const std::filesystem::path& tmpl,
                                    const std::filesystem::path& out, const MailFields& fields,
                                    size_t chunk) {
    std::ifstream in(tmpl, std::ios::binary);
    if (!in) throw std::runtime_error("No se puede leer la plantilla " + tmpl.string());
    std::ofstream o(out, std::ios::binary | std::ios::trunc);
    if (!o) throw std::runtime_error("No se puede escribir " + out.string());
    auto pictures = TRANS_FILE(in, o, fields, chunk);
    o.close();
    if (!o) throw std::runtime_error("No se puede escribir " + out.string());
    return pictures;
}

std::string html_escape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\r':
                if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
                out += "<br>";
                break;
            case '\n':
                out += "<br>";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace qz::services
