#include "library/connect.h"

#include <new>

#include "addin/addin_state.h"
#include "addin/build_info.h"
#include "addin/command_bars.h"
#include "addin/connection.h"
#include "addin/error_box.h"
#include "addin/settings_environment.h"
#include "library/command_handlers.h"
#include "library/lifecycle.h"
#include "library/connection_parts.h"
#include "win/module_lifetime.h"
#include "win/clipboard_text.h"
#include "win/com_ptr.h"
#include "win/extensibility.h"
#include "win/failure_log.h"
#include "win/unknown.h"

namespace qv {
namespace {

// Steps of OnConnection, as its error boxes name them.
enum ConnectionStep : long {
  kKeysStep = 5,
  kSettingsStep,
  kCommandBarsStep = 8,
  kStartStep,
  kOptionsStep,
};

constexpr wchar_t kVbaSettingsKey[] = L"Software\\Velmora\\Quorvane\\VBA";
constexpr wchar_t kVb6SettingsKey[] = L"Software\\Velmora\\Quorvane\\VB";
constexpr wchar_t kVb6IdeSettingsKey[] = L"Software\\Microsoft\\VBA\\Microsoft Visual Basic";

class Connect final : public NamelessDispatch<IDTExtensibility2> {
 public:
  // The hosts call the connection interface through its table, never by name.
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, ext_ConnectMode mode, IDispatch*,
                                         SAFEARRAY**) override {
    Guarded(L"OnConnection", [&] {
      if (TypeName(application) == L"VBE") Connected(Vbe(application), mode);
    });
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE OnDisconnection(ext_DisconnectMode, SAFEARRAY**) override {
    Guarded(L"OnDisconnection", [&] {
      if (!IsConnected()) return;  // an application that is not the editor: nothing was started
      if (saved_connect_mode_ != ext_cm_External) {
        StopAddin(parts_);
      } else {
        parts_.UnloadDialogs();
      }
    });
    CloseConnectionParts();
    CloseConnection();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY**) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY**) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY**) override { return S_OK; }

 private:
  bool Answers(REFIID iid) const override { return iid == IID_IDispatch || iid == IID_IDTExtensibility2; }

  void Connected(const Vbe& application, ext_ConnectMode mode) {
    AddinState& state = State();
    state.IsVBA = Build().IsVBA;
    OpenConnection(application);
    OpenConnectionParts();
    std::wstring version;
    // The add-in's own key does not depend on the host's version: a failed read must not send the
    // settings to the root of the user's hive.
    state.SettingsKey = state.IsVBA ? kVbaSettingsKey : kVb6SettingsKey;
    RunReported(kKeysStep, [&] {
      if (state.IsVBA) {
        version = application.Version();
        state.IDESettingsKey = L"Software\\Microsoft\\VBA\\" + version.substr(0, 3) + L"\\Common";
      } else {
        state.IDESettingsKey = kVb6IdeSettingsKey;
      }
    });
    RunReported(kSettingsStep, [&] {
      LoadSettings({state.IsVBA, state.IDESettingsKey, state.SettingsKey, version}, state.settings,
                   state.LanguageFiles, [&](long style) { parts_.SetIDEStyle(style); });
    });
    saved_connect_mode_ = mode;
    if (mode != ext_cm_External) {
      RunReported(kCommandBarsStep, [&] {
        // The buttons' faces go through the clipboard at every connection, not only the first of
        // this load: the user's text is kept each time, for the main loop to give back.
        if (std::optional<std::wstring> text = ClipboardText()) Tables().SavedClipboard = std::move(*text);
        AddCommandBarButtons(MakeCommandHandlers(parts_), CurrentParts().form.Window());
      });
      RunReported(kStartStep, [&] { StartAddin(parts_); });
    } else {
      RunReported(kOptionsStep, [&] { parts_.ShowOptions(false); });
    }
  }

  Parts& parts_ = LibraryParts();
  ModuleReference module_;
  ext_ConnectMode saved_connect_mode_ = ext_cm_AfterStartup;
};

}  // namespace

HRESULT CreateConnect(REFIID iid, void** out) {
  auto* fresh = new (std::nothrow) Connect;
  if (!fresh) return E_OUTOFMEMORY;
  return ComPtr<Connect>::Adopt(fresh)->QueryInterface(iid, out);
}

}  // namespace qv
