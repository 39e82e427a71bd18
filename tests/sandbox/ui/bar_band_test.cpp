// The band of command bars across the top of the main frame: its place above the MDI client, its
// height, the faces it draws and the screenshot that shows them.
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "sandbox/ui/screenshot.h"
#include "tests/sandbox/model/png_reader.h"
#include "tests/sandbox/ui/band_fixture.h"

namespace sbx::test {
namespace {

constexpr COLORREF kFaceColour = RGB(0, 160, 64);

BandRow Menu() { return {true, {Control(L"&File", true), Control(L"&Edit", true), Control(L"&Add-Ins", true)}}; }

BandControl FacedButton(bool enabled) {
  BandControl button = Control(L"Faced");
  button.begin_group = true;
  button.enabled = enabled;
  button.face_width = 16;
  button.face_height = 16;
  button.face.assign(16 * 16, 0x00A040);  // kFaceColour as 0x00RRGGBB
  return button;
}

BandRow Toolbar(bool enabled) { return {false, {Control(L"Caption"), FacedButton(enabled), Control(L"Popup", true)}}; }

bool BandShows(HWND band, COLORREF colour) {
  RECT area;
  GetClientRect(band, &area);
  HDC dc = GetDC(band);
  bool found = false;
  for (int y = 0; y < area.bottom && !found; ++y) {
    for (int x = 0; x < area.right && !found; ++x) found = GetPixel(dc, x, y) == colour;
  }
  ReleaseDC(band, dc);
  return found;
}

TEST_F(BandTest, BandIsAFrameChildAboveTheMdiClientAndFollowsTheDockedBars) {
  HWND band = workspace_->BarBand().hwnd();
  EXPECT_EQ(workspace_->MainWindow(), GetParent(band));
  wchar_t name[64] = {};
  GetClassNameW(band, name, 64);
  EXPECT_EQ(nullptr, wcsstr(name, L"Window")) << name;

  auto client_top = [&] { return InFrame(workspace_->MdiClient()).top; };
  Show({Menu()});
  const LONG menu_only = BandRect().bottom;
  EXPECT_GT(menu_only, 0);
  EXPECT_EQ(0, BandRect().top);
  EXPECT_EQ(menu_only, client_top());

  Show({Menu(), Toolbar(true)});
  const LONG with_bar = BandRect().bottom;
  EXPECT_GT(with_bar, menu_only);
  EXPECT_EQ(with_bar, client_top());

  // A resized frame keeps the client below the band, and the band across the frame.
  RECT frame;
  GetWindowRect(workspace_->MainWindow(), &frame);
  MoveWindow(workspace_->MainWindow(), frame.left, frame.top, 900, 700, TRUE);
  RECT area;
  GetClientRect(workspace_->MainWindow(), &area);
  EXPECT_EQ(with_bar, client_top());
  EXPECT_EQ(area.bottom, InFrame(workspace_->MdiClient()).bottom);
  EXPECT_EQ(area.right, BandRect().right);
  MoveWindow(workspace_->MainWindow(), frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);

  Show({Menu()});
  EXPECT_EQ(menu_only, BandRect().bottom);
  EXPECT_EQ(menu_only, client_top());
}

TEST_F(BandTest, PastedFaceIsDrawnGreyedWhenDisabledAndInTheScreenshot) {
  Show({Menu(), {false, {Control(L"Caption")}}});
  EXPECT_FALSE(BandShows(workspace_->BarBand().hwnd(), kFaceColour));
  Show({Menu(), Toolbar(false)});
  EXPECT_FALSE(BandShows(workspace_->BarBand().hwnd(), kFaceColour)) << "a disabled face is greyed";
  Show({Menu(), Toolbar(true)});
  EXPECT_TRUE(BandShows(workspace_->BarBand().hwnd(), kFaceColour));

  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"sbx-band-" + std::to_wstring(GetCurrentProcessId()) + L".png";
  ASSERT_TRUE(SaveWindowPng(workspace_->MainWindow(), path));
  std::vector<std::uint8_t> png;
  {
    std::ifstream file(path.c_str(), std::ios::binary);
    png.assign(std::istreambuf_iterator<char>(file), {});
  }
  DeleteFileW(path.c_str());
  std::string error;
  const auto image = ReadPng(png, &error);
  ASSERT_TRUE(image) << error;
  const POINT offset = ClientOffset(workspace_->MainWindow());
  int found = 0;
  for (int y = offset.y; y < offset.y + BandRect().bottom; ++y) {
    for (int x = offset.x; x < image->width; ++x) found += image->Pixel(x, y) == 0x00A040u;
  }
  EXPECT_EQ(16 * 16, found);
}

TEST_F(SdiBandTest, SdiMainWindowHoldsTheBand) {
  EXPECT_EQ(workspace_->MainWindow(), GetParent(workspace_->BarBand().hwnd()));
  Show({Menu(), Toolbar(true)});
  EXPECT_GT(BandRect().bottom, 0);
  EXPECT_TRUE(BandShows(workspace_->BarBand().hwnd(), kFaceColour));
}

}  // namespace
}  // namespace sbx::test
