#include "kit/style_manifest.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

// The file-level behaviour (the nine lines, a foreign manifest's round trip) is tested on files in
// tests/dialogs; here the rules that decide what is cut and what is the add-in's own.

TEST(StyleManifestTest, ABlockIsCutOnlyWhereItIsTheAddinsOwn) {
  const struct {
    std::string manifest;
    std::optional<std::string> cut;
  } cases[] = {
      {"<assembly>\r\n</assembly>\r\n", std::nullopt},
      {"<dependency>\n<dependentAssembly>\n<assemblyIdentity type=\"win32\" "
       "name=\"Microsoft.Windows.Common-Controls\" /></assembly>",
       std::nullopt},  // not the add-in's line ends
      {"A<dependency>\r\n<dependentAssembly>\r\n<assemblyIdentity type=\"win32\" "
       "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" />tail",
       "A</assembly>\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.cut, WithoutStyle(c.manifest)) << c.manifest;
}

TEST(StyleManifestTest, OwnershipIsTheAssemblyName) {
  EXPECT_TRUE(IsOwnManifest(NewStyleManifest("x86")));
  EXPECT_TRUE(IsOwnManifest(NewStyleManifest("amd64")));
  EXPECT_TRUE(IsOwnManifest("x Name=\"prjThemed\" y"));
  EXPECT_FALSE(IsOwnManifest("name=\"Microsoft.Windows.Common-Controls\""));
  EXPECT_FALSE(IsOwnManifest("Name=\"prjthemed\""));
}

}  // namespace
}  // namespace qv
