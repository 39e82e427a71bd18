// QuorvaneOffice: the add-in for the VBA editor of Office hosts, 32- and 64-bit.
#include "addin/build_info.h"

namespace qv {
namespace {

const BuildInfo kBuild{
    true,
    L"QuorvaneOffice.Connect",
    {0x1910b8dc, 0xca40, 0x4b03, {0xaf, 0x03, 0xf8, 0x2c, 0x37, 0xc8, 0x1a, 0x24}},
    L"Software\\Microsoft\\VBA\\VBE\\6.0",
    L"QuorvaneOffice",
    0,
};
const bool kDeclared = DeclareBuild(kBuild);

}  // namespace
}  // namespace qv
