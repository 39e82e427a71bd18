#pragma once
// Declaration files: their members keyed by the names they declare.
#include <string>
#include <string_view>
#include <vector>

#include "kit/keyed_collection.h"

namespace qv {

// A file's members by name: a one-line member (Declare, Const, variable; with its " _" continuation
// lines joined by CR LF) or a Type, Enum, Sub, Function or Property block through its End line
// joined by CR LF. Of two members of one name the first wins.
using MemberCollection = KeyedCollection<std::wstring>;

// Kinds: 1 Const, 2 Enum, 3 Type, 4 Declare Sub, 5 Declare Function, 6 Sub, 7 Function, 8 Property.
constexpr long kConstKind = 1;
constexpr long kEnumKind = 2;
constexpr long kTypeKind = 3;
constexpr long kDeclareSubKind = 4;
constexpr long kDeclareFunctionKind = 5;
constexpr long kSubKind = 6;
constexpr long kFunctionKind = 7;
constexpr long kPropertyKind = 8;

// The name `line` declares after `prefix` ("Public ", "Private ", ""), or "" (kind left alone).
// Prefix "1": a leading "Public ", "Private " or "Friend " is dropped first and the prefix becomes "".
// An optional "PtrSafe " follows "Declare "; a name ends at the first blank, TAB, "=", "(", "'" or
// line break, and a property's name keeps its "Get ", "Let " or "Set " in front.
std::wstring GetDeclarationName(std::wstring_view line, std::wstring& prefix, long& kind);
// The kind of what `line` declares in any visibility (prefix "1"); 0 when it declares no name.
long DeclarationKind(std::wstring_view line);

MemberCollection GetFileMembers(const std::vector<std::wstring>& lines);

}  // namespace qv
