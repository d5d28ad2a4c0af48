#include "services/mail/mail_mime.h"

#include <ctime>
#include <filesystem>

#include "core/text.h"

namespace qz::services {

std::string base64(const std::string& bytes) {
    static const char* kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        unsigned v = (static_cast<unsigned char>(bytes[i]) << 16) |
                     (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                     static_cast<unsigned char>(bytes[i + 2]);
        for (int s = 18; s >= 0; s -= 6) out += kAlphabet[(v >> s) & 63];
    }
    if (i < bytes.size()) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string encode_header_word(const std::string& text) {
    bool plain = true;
    for (unsigned char c : text)
        if (c >= 0x80 || c == '\r' || c == '\n') plain = false;
    if (plain) return text;
    // Line breaks never reach a header: they would let the text add headers of its own.
    std::string clean;
    for (char c : text) clean += (c == '\r' || c == '\n') ? ' ' : c;
    return "=?UTF-8?B?" + base64(clean) + "?=";
}

std::string mailbox(const std::string& name, const std::string& address) {
    const std::string n = trim(name);
    if (n.empty()) return "<" + trim(address) + ">";
    return encode_header_word(n) + " <" + trim(address) + ">";
}

std::string rfc5322_now() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buf[64];
    std::strftime(buf, sizeof buf, "%a, %d %b %Y %H:%M:%S +0000", &tm);
    return buf;
}

std::string content_type_of(const std::string& file) {
    const std::string ext = lower_ascii(std::filesystem::path(file).extension().string());
    if (ext == ".jpg" || ext == ".jpeg") return "image/jpeg";
    if (ext == ".png") return "image/png";
    if (ext == ".gif") return "image/gif";
    if (ext == ".bmp") return "image/bmp";
    if (ext == ".pdf") return "application/pdf";
    if (ext == ".htm" || ext == ".html") return "text/html";
    if (ext == ".txt" || ext == ".csv") return "text/plain";
    if (ext == ".xls") return "application/vnd.ms-excel";
    if (ext == ".xlsx") return "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";
    return "application/octet-stream";
}

std::vector<std::string> resolve_files(const std::string& names, const std::string& folder) {
    std::vector<std::string> out;
    for (const auto& raw : split(names, ',')) {
        const std::string name = trim(raw);
        if (name.empty()) continue;
        if (name.find('/') != std::string::npos)
            out.push_back(name);
        else
            out.push_back((std::filesystem::path(folder) / name).string());
    }
    return out;
}

}  // namespace qz::services
