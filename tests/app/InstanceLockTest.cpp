// The running copy is found whatever the environment of the second says.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QTemporaryDir>
#include <cstdlib>

#include "app/QtPlatform.h"

namespace kirimo::testing {
namespace {

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray& value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    if (value.isNull())
      qunsetenv(name);
    else
      qputenv(name, value);
  }
  ~ScopedEnv() {
    if (had_)
      qputenv(name_, old_);
    else
      qunsetenv(name_);
  }

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

TEST(InstanceLockTest, ASecondCopyIsRefusedWithAnotherOrNoRuntimeDirectory) {
  UserInstanceLock first;
  ASSERT_TRUE(first.TryAcquire());
  QTemporaryDir other;
  for (const QByteArray& runtime : {other.path().toUtf8(), QByteArray()}) {
    SCOPED_TRACE(runtime.isNull() ? "unset" : "another directory");
    ScopedEnv env("XDG_RUNTIME_DIR", runtime);
    ScopedEnv tmp("TMPDIR", other.path().toUtf8());
    UserInstanceLock second;
    EXPECT_FALSE(second.TryAcquire());
  }
}

TEST(InstanceLockTest, TheLockGoesWithTheCopyThatHeldIt) {
  {
    UserInstanceLock first;
    ASSERT_TRUE(first.TryAcquire());
  }
  UserInstanceLock next;
  EXPECT_TRUE(next.TryAcquire());
}

}  // namespace
}  // namespace kirimo::testing
