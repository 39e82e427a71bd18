// QuorvaneStudio: the add-in for the Visual Basic 6.0 IDE.
#include "addin/build_info.h"

namespace qv {
namespace {

const BuildInfo kBuild{
    false,
    L"QuorvaneStudio.Connect",
    {0x6f9e01ba, 0x103e, 0x47ff, {0x87, 0xce, 0x84, 0x1e, 0xc2, 0x46, 0x22, 0x0b}},
    L"Software\\Microsoft\\Visual Basic\\6.0",
    L"QuorvaneStudio",
    1,
};
const bool kDeclared = DeclareBuild(kBuild);

}  // namespace
}  // namespace qv
