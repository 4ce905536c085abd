#pragma once
// The running executable's own location.
#include <optional>
#include <string>

namespace fw {

// Full path of the running executable, whole: never a truncated path. Empty
// when the system cannot give it.
std::optional<std::wstring> GetModulePath();

// The executable's file name without its extension; empty when its path is
// not known.
std::wstring GetModuleTitle();

}  // namespace fw
