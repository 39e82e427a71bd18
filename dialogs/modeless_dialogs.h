#pragma once
// The modeless dialogs one connection opens (the About box, the procedure list and the options
// dialog of an external start), one of each, and the hook that gives them their keys. Its end
// destroys the dialogs still open.
#include "dialogs/modeless_instance.h"
#include "dialogs/modeless_keys.h"

namespace qv {

class AboutBox;
class ProcsDialog;
class OptionsDialog;

struct ModelessDialogs {
  ModelessDialogs() = default;
  ModelessDialogs(const ModelessDialogs&) = delete;
  ModelessDialogs& operator=(const ModelessDialogs&) = delete;
  ~ModelessDialogs() { keys.DestroyAll(); }

  ModelessKeys keys;
  ModelessInstance<AboutBox> about;
  ModelessInstance<ProcsDialog> procs;
  ModelessInstance<OptionsDialog> options;
};

}  // namespace qv
