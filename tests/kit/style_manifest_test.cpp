#include "kit/style_manifest.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

std::string NineLines(const std::string& arch) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
         "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
         "<assemblyIdentity version=\"1.0.0.0\" processorArchitecture=\"" + arch +
         "\" name=\"prjThemed\" type=\"win32\" />\r\n"
         "<dependency>\r\n"
         "<dependentAssembly>\r\n"
         "<assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
         "processorArchitecture=\"" + arch + "\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\" />\r\n"
         "</dependentAssembly>\r\n"
         "</dependency>\r\n"
         "</assembly>\r\n";
}

// UTF-8 with a byte-order mark and Cyrillic text in a comment, ending as the add-in closes it.
const std::string kForeign =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
    "<!-- \xD0\xA7\xD1\x83\xD0\xB6\xD0\xBE\xD0\xB9 -->\r\n"
    "<assemblyIdentity name=\"Host\" version=\"1.0.0.0\" />\r\n"
    "</assembly>\r\n";

TEST(StyleManifestTest, ANewManifestIsNineLinesForTheArchitecture) {
  for (const std::string arch : {"x86", "amd64"}) {
    const std::string manifest = NewStyleManifest(arch);
    EXPECT_EQ(NineLines(arch), manifest) << arch;
    EXPECT_FALSE(IsOwnManifest(manifest)) << "its name is written name=, not Name=";
    EXPECT_TRUE(HasCommonControls(manifest));
    EXPECT_EQ(std::nullopt, WithStyle("<assembly>", arch)) << "no closing line";
  }
}

TEST(StyleManifestTest, AForeignManifestGetsTheBlockAndGoesBackToItsBytes) {
  EXPECT_FALSE(IsOwnManifest(kForeign));
  EXPECT_FALSE(HasCommonControls(kForeign));
  const std::optional<std::string> styled = WithStyle(kForeign, "x86");
  ASSERT_TRUE(styled);
  const std::string kept = kForeign.substr(0, kForeign.find("</assembly>"));
  EXPECT_EQ(kept + NineLines("x86").substr(NineLines("x86").find("<dependency>")), *styled);
  EXPECT_TRUE(HasCommonControls(*styled));
  EXPECT_EQ(kForeign, WithoutStyle(*styled));
  EXPECT_EQ(kForeign, WithoutStyle(*WithStyle(kForeign, "amd64"))) << "any architecture";
}

TEST(StyleManifestTest, ABlockIsCutOnlyWhereItIsTheAddinsOwn) {
  const struct {
    std::string manifest;
    std::optional<std::string> cut;
  } cases[] = {
      {kForeign, std::nullopt},
      {"<dependency>\n<dependentAssembly>\n<assemblyIdentity type=\"win32\" "
       "name=\"Microsoft.Windows.Common-Controls\" /></assembly>",
       std::nullopt},  // not the add-in's line ends
      {"A<dependency>\r\n<dependentAssembly>\r\n<assemblyIdentity type=\"win32\" "
       "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" />tail",
       "A</assembly>\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.cut, WithoutStyle(c.manifest)) << c.manifest;
}

TEST(StyleManifestTest, OwnershipIsTheExactNameText) {
  EXPECT_TRUE(IsOwnManifest("x Name=\"prjThemed\" y"));
  EXPECT_FALSE(IsOwnManifest("name=\"prjThemed\""));
  EXPECT_FALSE(IsOwnManifest("Name=\"prjthemed\""));
}

}  // namespace
}  // namespace qv
