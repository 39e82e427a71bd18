#include "kit/style_manifest.h"

#include <array>

namespace qv {
namespace {

constexpr std::string_view kEnd = "\r\n";
constexpr std::string_view kClosing = "</assembly>";
constexpr std::string_view kCommonControls = "Microsoft.Windows.Common-Controls";

// Lines 4 to 9 of a new manifest: what a foreign manifest gets as well.
std::string DependencyBlock(std::string_view architecture) {
  const std::string arch(architecture);
  const std::array<std::string, 6> lines = {
      "<dependency>",
      "<dependentAssembly>",
      "<assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
      "processorArchitecture=\"" + arch + "\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\" />",
      "</dependentAssembly>",
      "</dependency>",
      std::string(kClosing),
  };
  std::string block;
  for (const std::string& line : lines) block += line + std::string(kEnd);
  return block;
}

// The start of the block as it is looked for on removal: its first two lines and the third up to
// the quotation mark after Common-Controls, whatever the architecture.
constexpr std::string_view kBlockStart =
    "<dependency>\r\n<dependentAssembly>\r\n<assemblyIdentity type=\"win32\" "
    "name=\"Microsoft.Windows.Common-Controls\"";

}  // namespace

std::string NewStyleManifest(std::string_view architecture) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
         "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
         "<assemblyIdentity version=\"1.0.0.0\" processorArchitecture=\"" +
         std::string(architecture) + "\" name=\"prjThemed\" type=\"win32\" />\r\n" + DependencyBlock(architecture);
}

// The manifests this add-in writes spell the attribute "name="; "Name=" marks them too.
bool IsOwnManifest(std::string_view manifest) {
  return manifest.find("name=\"prjThemed\"") != std::string_view::npos ||
         manifest.find("Name=\"prjThemed\"") != std::string_view::npos;
}

bool HasCommonControls(std::string_view manifest) { return manifest.find(kCommonControls) != std::string_view::npos; }

std::optional<std::string> WithStyle(std::string_view manifest, std::string_view architecture) {
  const size_t closing = manifest.find(kClosing);
  if (closing == std::string_view::npos) return std::nullopt;
  return std::string(manifest.substr(0, closing)) + DependencyBlock(architecture);
}

std::optional<std::string> WithoutStyle(std::string_view manifest) {
  const size_t start = manifest.find(kBlockStart);
  if (start == std::string_view::npos) return std::nullopt;
  return std::string(manifest.substr(0, start)) + std::string(kClosing) + std::string(kEnd);
}

}  // namespace qv
