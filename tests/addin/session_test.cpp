// The connection's session: its parts make it current, and nothing of it outlives the disconnection.
#include "addin/session.h"

#include <gtest/gtest.h>

#include "kit/vb_error.h"
#include "library/connection_parts.h"

namespace {

TEST(SessionTest, LivesFromConnectionToDisconnection) {
  EXPECT_THROW(qv::CurrentSession(), qv::VbError);
  EXPECT_EQ(nullptr, qv::HostMainWindow());
  qv::OpenConnectionParts();
  qv::CurrentSession().hWndMain = GetDesktopWindow();
  qv::CurrentSession().loop.Busy = true;
  EXPECT_EQ(GetDesktopWindow(), qv::HostMainWindow());
  qv::CloseConnectionParts();
  EXPECT_EQ(nullptr, qv::HostMainWindow()) << "no main window between connections";
  EXPECT_THROW(qv::CurrentSession(), qv::VbError);
  qv::OpenConnectionParts();
  EXPECT_EQ(nullptr, qv::HostMainWindow()) << "a later connection starts from scratch";
  EXPECT_FALSE(qv::CurrentSession().loop.Busy);
  qv::CloseConnectionParts();
}

}  // namespace
