#pragma once
// A forward-only reader of the few XML parts of a workbook we need to read back (shared strings,
// sheets, styles, relationships). It walks tags one at a time and gives their local names,
// attributes and the text that follows a start tag. It knows no DTDs or namespaces beyond
// dropping prefixes, which is all those parts use.
#include <optional>
#include <string>
#include <string_view>

namespace qz::services {

class XmlScanner {
public:
    explicit XmlScanner(std::string_view xml) : m_xml(xml) {}
    // Moves to the next start or end tag; false at the end of the document.
    bool next();
    bool is_start() const { return m_start; }
    bool is_end() const { return !m_start || m_self_closing; }
    // Local name without a namespace prefix ("worksheet" for "x:worksheet").
    std::string_view name() const { return m_name; }
    bool is(std::string_view local_name) const { return m_name == local_name; }
    // A decoded attribute value by local name.
    std::optional<std::string> attr(std::string_view local_name) const;
    // The decoded character data right after the current start tag, up to the next tag.
    std::string text() const;

private:
    std::string_view m_xml;
    size_t m_pos = 0;
    std::string_view m_name;
    std::string_view m_attrs;
    size_t m_after_tag = 0;
    bool m_start = false;
    bool m_self_closing = false;
};

// Entities (&amp; &#233; &#xE9;) replaced by their characters, written as UTF-8.
std::string xml_decode(std::string_view raw);

}  // namespace qz::services
