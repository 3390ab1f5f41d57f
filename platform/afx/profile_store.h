#pragma once
// The per-user profile store: one INI file per application,
// $XDG_CONFIG_HOME/<company>/<application>.ini (XDG_CONFIG_HOME defaults to ~/.config).
//
// The location is worked out on every call, so a change of XDG_CONFIG_HOME takes effect at
// once. Reading never fails: a missing, unreadable or garbled file has no entries. Writing
// replaces the file in one rename, so a crash leaves either the old or the new file whole.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace afx {

// Without a company name the file sits directly in the configuration folder.
std::filesystem::path ProfileStorePath(std::string_view company, std::string_view application);

std::optional<std::string> ReadProfileValue(const std::filesystem::path& file,
                                            std::string_view section, std::string_view key);

// Keeps every other line of the file. Returns false, leaving the file as it was, when the
// value cannot be stored (see IniDocument::Set), when an existing file cannot be read (its
// other entries would be lost), or when writing fails.
bool WriteProfileValue(const std::filesystem::path& file, std::string_view section,
                       std::string_view key, std::string_view value);

}  // namespace afx
