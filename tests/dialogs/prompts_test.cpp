#include "dialogs/prompts.h"

#include <gtest/gtest.h>

#include "dialogs/app_message.h"
#include "dialogs/twips.h"
#include "tests/dialogs/scripted_prompts.h"

namespace qv::test {
namespace {

TEST(PromptsTest, AStandInServesWhileItLivesAndTheSystemsBoxesAfter) {
  Prompts* system = &CurrentPrompts();
  {
    ScriptedPrompts scripted;
    EXPECT_EQ(&scripted, &CurrentPrompts());
  }
  EXPECT_EQ(system, &CurrentPrompts());
}

TEST(PromptsTest, TheAddinsMessageHasTheLibrarysTitleAndItsOwner) {
  const HWND main = GetDesktopWindow();
  ScriptedPrompts scripted;
  scripted.answers = {IDCANCEL};
  EXPECT_EQ(IDCANCEL, AppMessage(main, L"Текст", MB_OKCANCEL | MB_ICONINFORMATION));
  ASSERT_EQ(1u, scripted.shown.size());
  EXPECT_EQ(main, scripted.shown[0].owner);
  EXPECT_EQ(L"Текст", scripted.shown[0].text);
  EXPECT_EQ(L"QuorvaneOffice", scripted.shown[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONINFORMATION), scripted.shown[0].style);
}

TEST(TwipsTest, PixelsAreRoundedAtTheResolution) {
  const struct {
    int twips;
    int dpi;
    int pixels;
  } cases[] = {{1440, 96, 96}, {1000, 96, 67}, {1000, 120, 83}, {15, 96, 1}, {7, 96, 0}, {0, 144, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.pixels, TwipsToPixels(c.twips, c.dpi)) << c.twips << " at " << c.dpi;
  }
}

}  // namespace
}  // namespace qv::test
