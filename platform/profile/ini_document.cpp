#include "platform/profile/ini_document.h"

#include "platform/profile/ini_line.h"

#include <algorithm>

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

} // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument doc;
    if (bytes.starts_with(kBom)) {
        doc.bom_ = kBom;
        bytes.remove_prefix(kBom.size());
    }
    bool styleKnown = false;
    while (!bytes.empty()) {
        size_t nl = bytes.find('\n');
        Line line;
        if (nl == std::string_view::npos) {
            line.text = bytes;
            bytes = {};
        } else {
            bool crlf = nl > 0 && bytes[nl - 1] == '\r';
            line.text = bytes.substr(0, crlf ? nl - 1 : nl);
            line.ending = crlf ? "\r\n" : "\n";
            bytes.remove_prefix(nl + 1);
            if (!styleKnown) {
                doc.newline_ = line.ending;
                styleKnown = true;
            }
        }
        doc.lines_.push_back(std::move(line));
    }
    return doc;
}

std::string IniDocument::Serialize() const {
    std::string out = bom_;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.ending;
    }
    return out;
}

std::optional<size_t> IniDocument::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        auto name = SectionName(lines_[i].text);
        if (name && EqualNoCase(*name, Trim(section))) return i;
    }
    return std::nullopt;
}

size_t IniDocument::SectionEnd(size_t header) const {
    size_t i = header + 1;
    while (i < lines_.size() && !SectionName(lines_[i].text)) ++i;
    return i;
}

std::optional<size_t> IniDocument::FindKey(size_t header, std::string_view key) const {
    size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        auto name = KeyName(lines_[i].text);
        if (name && EqualNoCase(*name, Trim(key))) return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    auto header = FindSection(section);
    if (!header) return std::nullopt;
    auto line = FindKey(*header, key);
    if (!line) return std::nullopt;
    std::string_view text = lines_[*line].text;
    return std::string(Trim(text.substr(text.find('=') + 1)));
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_)
        if (auto name = SectionName(line.text)) names.emplace_back(*name);
    return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    auto header = FindSection(section);
    if (!header) return names;
    size_t end = SectionEnd(*header);
    for (size_t i = *header + 1; i < end; ++i)
        if (auto name = KeyName(lines_[i].text)) names.emplace_back(*name);
    return names;
}

void IniDocument::InsertLine(size_t at, std::string text) {
    // A line inserted after a last line that has no line end gives that line one.
    if (at > 0 && lines_[at - 1].ending.empty()) lines_[at - 1].ending = newline_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), newline_});
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string entry = std::string(Trim(key)) + "=" + std::string(Trim(value));
    auto header = FindSection(section);
    if (!header) {
        if (!lines_.empty() && !Trim(lines_.back().text).empty()) InsertLine(lines_.size(), "");
        InsertLine(lines_.size(), "[" + std::string(Trim(section)) + "]");
        InsertLine(lines_.size(), std::move(entry));
        return;
    }
    if (auto line = FindKey(*header, key)) {
        // Keep the key's spelling and the spacing around '='; replace only the value.
        std::string& text = lines_[*line].text;
        size_t start = text.find('=') + 1;
        while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
        text = text.substr(0, start) + std::string(Trim(value));
        return;
    }
    size_t at = SectionEnd(*header);
    while (at > *header + 1 && Trim(lines_[at - 1].text).empty()) --at;
    InsertLine(at, std::move(entry));
}

void IniDocument::RemoveKey(std::string_view section, std::string_view key) {
    auto header = FindSection(section);
    if (!header) return;
    if (auto line = FindKey(*header, key)) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
}

void IniDocument::RemoveSection(std::string_view section) {
    auto header = FindSection(section);
    if (!header) return;
    size_t end = SectionEnd(*header);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
}

bool IniDocument::IsStorableSection(std::string_view section) {
    return !Trim(section).empty() && !HasLineBreak(section) && section.find(']') == std::string_view::npos;
}

bool IniDocument::IsStorableKey(std::string_view key) {
    std::string_view trimmed = Trim(key);
    return !trimmed.empty() && !HasLineBreak(key) && key.find('=') == std::string_view::npos &&
           trimmed.front() != ';' && trimmed.front() != '#' && trimmed.front() != '[';
}

bool IniDocument::IsStorableValue(std::string_view value) { return !HasLineBreak(value); }
