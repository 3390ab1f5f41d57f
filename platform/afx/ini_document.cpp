#include "platform/afx/ini_document.h"

#include <algorithm>

namespace afx {
namespace {

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    auto fold = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return fold(x) == fold(y); });
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// What one line of the file says.
struct Line {
    enum class Kind { Other, Section, Entry } kind = Kind::Other;
    std::string_view name;   // section or key
    std::string_view value;  // entry only, still quoted
};

Line Classify(std::string_view raw) {
    // A file written on another system may end its lines with CR LF.
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    const std::string_view text = Trim(raw);
    Line line;
    if (text.empty() || text.front() == ';' || text.front() == '#') return line;
    if (text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string_view::npos) return line;
        const std::string_view name = Trim(text.substr(1, close - 1));
        if (name.empty()) return line;
        line.kind = Line::Kind::Section;
        line.name = name;
        return line;
    }
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) return line;
    const std::string_view key = Trim(text.substr(0, equals));
    if (key.empty()) return line;
    line.kind = Line::Kind::Entry;
    line.name = key;
    line.value = Trim(text.substr(equals + 1));
    return line;
}

bool IsQuoted(std::string_view value) {
    return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

std::string Unquote(std::string_view value) {
    if (IsQuoted(value)) value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::string Quote(std::string_view value) {
    if (Trim(value) != value || IsQuoted(value)) return '"' + std::string(value) + '"';
    return std::string(value);
}

bool ValidSectionName(std::string_view name) {
    return !name.empty() && Trim(name) == name && !HasLineBreak(name) &&
           name.find(']') == std::string_view::npos;
}

bool ValidKey(std::string_view key) {
    return !key.empty() && Trim(key) == key && !HasLineBreak(key) &&
           key.find('=') == std::string_view::npos && key.front() != '[' && key.front() != ';' &&
           key.front() != '#';
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument document;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        document.lines_.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return document;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (const std::string& raw : lines_) {
        const Line line = Classify(raw);
        if (line.kind == Line::Kind::Section) {
            inSection = SameName(line.name, section);
        } else if (line.kind == Line::Kind::Entry && inSection && SameName(line.name, key)) {
            return Unquote(line.value);
        }
    }
    return std::nullopt;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (!ValidSectionName(section) || !ValidKey(key) || HasLineBreak(value)) return false;
    const std::string entry = std::string(key) + '=' + Quote(value);

    // An existing entry is replaced wherever it is; a new one goes after the last entry of
    // the first matching section, before the blank lines or comments that end it.
    bool inSection = false;
    bool inFirstSection = false;
    bool sectionFound = false;
    size_t insertAt = lines_.size();
    for (size_t i = 0; i < lines_.size(); ++i) {
        const Line line = Classify(lines_[i]);
        if (line.kind == Line::Kind::Section) {
            inSection = SameName(line.name, section);
            inFirstSection = inSection && !sectionFound;
            if (inFirstSection) {
                sectionFound = true;
                insertAt = i + 1;
            }
        } else if (line.kind == Line::Kind::Entry && inSection) {
            if (SameName(line.name, key)) {
                lines_[i] = entry;
                return true;
            }
            if (inFirstSection) insertAt = i + 1;
        }
    }
    if (sectionFound) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
        return true;
    }
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back('[' + std::string(section) + ']');
    lines_.push_back(entry);
    return true;
}

std::string IniDocument::Serialize() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += '\n';
    }
    return text;
}

}  // namespace afx
