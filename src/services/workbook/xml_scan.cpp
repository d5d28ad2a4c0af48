#include "services/workbook/xml_scan.h"

#include <cstdlib>

namespace qz::services {

namespace {

std::string_view local(std::string_view qualified) {
    const auto colon = qualified.find(':');
    return colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
}

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

void append_utf8(std::string& out, unsigned long cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x110000) {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Skips "<?...?>", "<!--...-->" and "<!...>"; returns the position after it.
size_t skip_markup(std::string_view xml, size_t lt) {
    if (xml.substr(lt, 4) == "<!--") {
        const auto end = xml.find("-->", lt + 4);
        return end == std::string_view::npos ? xml.size() : end + 3;
    }
    const auto end = xml.find('>', lt);
    return end == std::string_view::npos ? xml.size() : end + 1;
}

}  // namespace

std::string xml_decode(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        const auto semi = raw[i] == '&' ? raw.find(';', i) : std::string_view::npos;
        if (semi == std::string_view::npos) {
            out += raw[i];
            continue;
        }
        const auto entity = raw.substr(i + 1, semi - i - 1);
        if (entity == "lt")
            out += '<';
        else if (entity == "gt")
            out += '>';
        else if (entity == "amp")
            out += '&';
        else if (entity == "quot")
            out += '"';
        else if (entity == "apos")
            out += '\'';
        else if (!entity.empty() && entity[0] == '#') {
            const bool hex = entity.size() > 1 && (entity[1] == 'x' || entity[1] == 'X');
            const std::string digits(entity.substr(hex ? 2 : 1));
            append_utf8(out, std::strtoul(digits.c_str(), nullptr, hex ? 16 : 10));
        } else {
            out.append(raw.substr(i, semi - i + 1));
        }
        i = semi;
    }
    return out;
}

bool XmlScanner::next() {
    while (true) {
        const auto lt = m_xml.find('<', m_pos);
        if (lt == std::string_view::npos || lt + 1 >= m_xml.size()) {
            m_pos = m_xml.size();
            return false;
        }
        const char kind = m_xml[lt + 1];
        if (kind == '?' || kind == '!') {
            m_pos = skip_markup(m_xml, lt);
            continue;
        }
        auto gt = lt + 1;
        char quote = 0;
        while (gt < m_xml.size() && (quote || m_xml[gt] != '>')) {
            if (quote && m_xml[gt] == quote)
                quote = 0;
            else if (!quote && (m_xml[gt] == '"' || m_xml[gt] == '\''))
                quote = m_xml[gt];
            ++gt;
        }
        if (gt >= m_xml.size()) {
            m_pos = m_xml.size();
            return false;
        }
        auto inner = m_xml.substr(lt + 1, gt - lt - 1);
        if (inner.empty() || inner == "/") {
            m_pos = gt + 1;
            continue;
        }
        m_start = inner.front() != '/';
        if (!m_start) inner.remove_prefix(1);
        m_self_closing = !inner.empty() && inner.back() == '/';
        if (m_self_closing) inner.remove_suffix(1);
        size_t name_end = 0;
        while (name_end < inner.size() && !is_space(inner[name_end])) ++name_end;
        m_name = local(inner.substr(0, name_end));
        m_attrs = inner.substr(name_end);
        m_after_tag = gt + 1;
        m_pos = gt + 1;
        return true;
    }
}

std::optional<std::string> XmlScanner::attr(std::string_view local_name) const {
    size_t i = 0;
    while (i < m_attrs.size()) {
        while (i < m_attrs.size() && is_space(m_attrs[i])) ++i;
        const auto eq = m_attrs.find('=', i);
        if (eq == std::string_view::npos || eq + 1 >= m_attrs.size()) return std::nullopt;
        auto key = m_attrs.substr(i, eq - i);
        while (!key.empty() && is_space(key.back())) key.remove_suffix(1);
        auto open = eq + 1;
        while (open < m_attrs.size() && is_space(m_attrs[open])) ++open;
        if (open >= m_attrs.size()) return std::nullopt;
        const char quote = m_attrs[open];
        const auto close = m_attrs.find(quote, open + 1);
        if (close == std::string_view::npos) return std::nullopt;
        if (local(key) == local_name) return xml_decode(m_attrs.substr(open + 1, close - open - 1));
        i = close + 1;
    }
    return std::nullopt;
}

std::string XmlScanner::text() const {
    if (!m_start || m_self_closing) return {};
    std::string out;
    size_t pos = m_after_tag;
    // Character data may be split by CDATA sections; anything else ends it.
    while (pos < m_xml.size()) {
        const auto lt = m_xml.find('<', pos);
        out +=
            xml_decode(m_xml.substr(pos, (lt == std::string_view::npos ? m_xml.size() : lt) - pos));
        if (lt == std::string_view::npos || m_xml.substr(lt, 9) != "<![CDATA[") break;
        const auto end = m_xml.find("]]>", lt + 9);
        if (end == std::string_view::npos) break;
        out.append(m_xml.substr(lt + 9, end - lt - 9));
        pos = end + 3;
    }
    return out;
}

}  // namespace qz::services
