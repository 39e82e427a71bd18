#pragma once
// The add-in's part of the host's application manifest: a dependency on the common controls,
// version 6, which gives the host's windows the visual style. Manifests are handled as bytes, so
// that a foreign one keeps its encoding and every byte the add-in does not touch.
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The manifest the add-in writes where there is none: nine lines, each ending in CR LF, for a host
// of that processor architecture ("x86" or "amd64").
std::string NewStyleManifest(std::string_view architecture);

// The add-in's own manifests name their assembly prjThemed.
bool IsOwnManifest(std::string_view manifest);
bool HasCommonControls(std::string_view manifest);

// The manifest up to its first "</assembly>", then the dependency block and the closing line;
// nullopt when it has no "</assembly>".
std::optional<std::string> WithStyle(std::string_view manifest, std::string_view architecture);

// The manifest up to the start of the add-in's dependency block, closed again by "</assembly>";
// nullopt when it holds no such block.
std::optional<std::string> WithoutStyle(std::string_view manifest);

}  // namespace qv
