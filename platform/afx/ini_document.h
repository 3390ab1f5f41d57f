#pragma once
// The text of a profile store: sections of "key=value" lines.
//
// The document is kept as its lines, so a rewrite changes only the entry it sets and leaves
// comments, other sections, other keys and lines it cannot make sense of as they were.
// Reading is forgiving: a line that is neither a section header, an entry, a comment nor blank
// is skipped, so a garbled file simply has no entries.
//
// Section and key names compare without regard to ASCII case; names and values are trimmed
// of spaces and tabs. A value with surrounding spaces, or one that is itself wrapped in double
// quotes, is written between double quotes, which reading removes again. A store holds one
// line per entry, so a name or value containing CR or LF is refused rather than written.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace afx {

class IniDocument {
  public:
    static IniDocument Parse(std::string_view text);

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // Sets the first entry named `key` in a section named `section`, adding the entry (and
    // the section) when there is none. Returns false, changing nothing, for a name or value
    // the file cannot hold.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Serialize() const;

  private:
    std::vector<std::string> lines_;
};

}  // namespace afx
