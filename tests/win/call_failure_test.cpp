// What a failed late-bound call tells the user: the host's own words, else VB's Russian ones, else
// the failure's code after a Russian lead; never an empty or English description.
#include <gtest/gtest.h>

#include <string>

#include "win/com_ptr.h"
#include "win/late_bound.h"
#include "win/unknown.h"

namespace qv {
namespace {

// Every member exists and fails with the exception it was made with.
class FailingObject final : public NamelessDispatch<IDispatch> {
 public:
  FailingObject(HRESULT hr, long scode, const wchar_t* description)
      : hr_(hr), scode_(scode), description_(description) {}

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID* ids) override {
    *ids = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO* exception,
                                   UINT*) override {
    if (hr_ == DISP_E_EXCEPTION) {
      exception->scode = scode_;
      exception->bstrDescription = description_ ? SysAllocString(description_) : nullptr;
    }
    return hr_;
  }

 private:
  HRESULT hr_;
  long scode_;
  const wchar_t* description_;
};

CallFailure FailureOf(HRESULT hr, long scode, const wchar_t* description) {
  const auto object = ComPtr<FailingObject>::Adopt(new FailingObject(hr, scode, description));
  try {
    Get(object.Get(), L"Member");
  } catch (const CallFailure& failure) {
    return failure;
  }
  ADD_FAILURE() << "the call did not fail";
  return CallFailure(S_OK, 0, L"");
}

constexpr long kControl9 = static_cast<long>(0x800A0009);
constexpr long kControl1004 = static_cast<long>(0x800A03EC);

TEST(CallFailureTest, TheUserReadsRussianWordsOrTheFailuresCode) {
  struct Case {
    HRESULT hr;
    long scode;
    const wchar_t* host_description;
    long number;
    std::wstring description;
  };
  const Case cases[] = {
      {DISP_E_EXCEPTION, kControl9, L"Subscript out of range", 9, L"Subscript out of range"},
      {DISP_E_EXCEPTION, kControl9, nullptr, 9, L"Индекс выходит за пределы допустимого диапазона"},
      {DISP_E_EXCEPTION, kControl9, L"", 9, L"Индекс выходит за пределы допустимого диапазона"},
      {DISP_E_EXCEPTION, kControl1004, nullptr, 1004, L"Ошибка вызова объекта приложения, код 0x800A03EC"},
      {DISP_E_EXCEPTION, E_FAIL, nullptr, 5, L"Недопустимый вызов процедуры или аргумент"},
      {DISP_E_MEMBERNOTFOUND, 0, nullptr, 438, L"Объект не поддерживает это свойство или метод"},
      {DISP_E_TYPEMISMATCH, 0, nullptr, 13, L"Несоответствие типа"},
      {DISP_E_OVERFLOW, 0, nullptr, 6, L"Переполнение"},
      {E_OUTOFMEMORY, 0, nullptr, 5, L"Недопустимый вызов процедуры или аргумент"},
      {RPC_E_DISCONNECTED, 0, nullptr, 5, L"Недопустимый вызов процедуры или аргумент"},
  };
  for (const Case& c : cases) {
    const CallFailure failure = FailureOf(c.hr, c.scode, c.host_description);
    EXPECT_EQ(c.number, failure.number) << std::hex << c.hr << " " << c.scode;
    EXPECT_EQ(c.description, failure.description) << std::hex << c.hr << " " << c.scode;
  }
}

TEST(CallFailureTest, FailuresOfTheAddinsOwnSideHaveRussianWordsToo) {
  const auto vb_error = [](auto&& call) -> VbError {
    try {
      call();
    } catch (const CallFailure& failure) {
      return failure;
    }
    return {0, L"no failure"};
  };
  const VbError nothing = vb_error([] { Get(nullptr, L"Name"); });
  EXPECT_EQ(91, nothing.number);
  EXPECT_EQ(L"Не задана объектная переменная или переменная блока With", nothing.description);
  const VbError not_a_number = vb_error([] { Variant(L"abc").Long(); });
  EXPECT_EQ(13, not_a_number.number);
  EXPECT_EQ(L"Несоответствие типа", not_a_number.description);
  const VbError too_big = vb_error([] { Variant(1e12).Long(); });
  EXPECT_EQ(6, too_big.number);
  EXPECT_EQ(L"Переполнение", too_big.description);
  const VbError not_an_object = vb_error([] { Variant(1L).Object(); });
  EXPECT_EQ(13, not_an_object.number);
  EXPECT_EQ(L"Несоответствие типа", not_an_object.description);
}

}  // namespace
}  // namespace qv
