#include "kit/vb_error.h"

#include <utility>

namespace qv {

VbError::VbError(long errorNumber, std::wstring errorDescription)
    : number(errorNumber), description(std::move(errorDescription)) {}

const char* VbError::what() const noexcept { return "VB run-time error"; }

VbError InvalidCallError() { return {5, L"Недопустимый вызов процедуры или аргумент"}; }
VbError OverflowError() { return {6, L"Переполнение"}; }
VbError SubscriptError() { return {9, L"Индекс выходит за пределы допустимого диапазона"}; }
VbError TypeMismatchError() { return {13, L"Несоответствие типа"}; }
VbError ObjectNotSetError() { return {91, L"Не задана объектная переменная или переменная блока With"}; }
VbError PatternError() { return {93, L"Недопустимая строка шаблона"}; }
VbError DuplicateKeyError() { return {457, L"Этот ключ уже связан с элементом семейства"}; }
VbError PathFileAccessError(std::wstring_view path) {
  return {75, L"Ошибка доступа к пути/файлу: " + std::wstring(path)};
}

}  // namespace qv
