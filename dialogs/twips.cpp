#include "dialogs/twips.h"

#include "win/gdi_owners.h"

namespace qv {

int TwipsToScreenPixels(int twips) {
  const WindowDc screen = ClientDc(nullptr);
  return TwipsToPixels(twips, GetDeviceCaps(screen.get(), LOGPIXELSX));
}

}  // namespace qv
