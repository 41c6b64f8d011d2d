// The routines on the substitute registry, where every call can be made to fail: the order of the
// writes of one apply, what stays written when a write fails, and the arguments the routines pass.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "language.h"
#include "locations.h"
#include "platform_headless.h"
#include "registry_memory.h"
#include "registrys.h"

namespace quenda {
namespace {

using registry::kLocalMachine;
namespace memory = registry::memory;
using Snapshot = std::map<std::u16string, memory::StoredValue>;

const std::u16string kWinlogonPrefix =
    u"HKLM\\software\\microsoft\\windows nt\\currentversion\\winlogon\\";
const std::u16string kRunEntry = u"HKLM\\software\\microsoft\\windows\\currentversion\\run\\quenda";

// Text as SetValue leaves it (Windows stores the NUL that follows the data).
memory::StoredValue Written(const std::string& text) {
  return {registry::kTypeSz, text + '\0'};
}

// One registry change of an apply, in the order the apply makes them.
struct Step {
  std::u16string key;               // as Snapshot names it
  std::optional<std::string> text;  // nullopt: the value is deleted
};

// The steps of one apply (SaveAutoLogon followed by the program's flag), written out by hand.
std::vector<Step> ApplySteps(bool autoLogon) {
  if (autoLogon) {
    return {{kWinlogonPrefix + u"autoadminlogon", "1"},
            {kWinlogonPrefix + u"defaultusername", "Admin"},
            {kWinlogonPrefix + u"defaultpassword", "secret"},
            {kRunEntry, "C:\\Tools\\Quenda.exe"},
            {kWinlogonPrefix + u"defaultdomainname", "HOME"},
            {kWinlogonPrefix + u"quenda", "1"}};
  }
  return {{kWinlogonPrefix + u"autoadminlogon", "0"},
          {kWinlogonPrefix + u"defaultusername", "Admin"},
          {kWinlogonPrefix + u"defaultpassword", std::nullopt},
          {kRunEntry, std::nullopt},
          {kWinlogonPrefix + u"defaultdomainname", "HOME"},
          {kWinlogonPrefix + u"quenda", "0"}};
}

class ApplyFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    memory::Reset();
    IsChinese = false;
    platform.executableDirectory = u"C:\\Tools";
    // A configuration left by an earlier run.
    for (const char16_t* name : {u"AutoAdminLogon", u"DefaultUserName", u"DefaultPassword",
                                 u"DefaultDomainName", u"Quenda"}) {
      memory::PutValue(kLocalMachine, kWinlogonKey, name, registry::kTypeSz, "old");
    }
    memory::PutValue(kLocalMachine, kRunKey, u"Quenda", registry::kTypeSz, "old");
    before = memory::Snapshot();
  }
  void TearDown() override { IsChinese = false; }

  // What the dialog's apply does once the passwords agree.
  static void Apply(bool autoLogon) {
    SaveAutoLogon(autoLogon ? u"1" : u"0", u"Admin", u"secret", u"HOME");
    SetValue(kLocalMachine, kWinlogonKey, kQuendaValue, autoLogon ? u"1" : u"0");
  }

  // The registry after the first `count` steps.
  Snapshot After(const std::vector<Step>& steps, std::size_t count) const {
    Snapshot expected = before;
    for (std::size_t i = 0; i < count; ++i) {
      if (steps[i].text) {
        expected[steps[i].key] = Written(*steps[i].text);
      } else {
        expected.erase(steps[i].key);
      }
    }
    return expected;
  }

  HeadlessPlatform platform;
  Snapshot before;
};

TEST_F(ApplyFaults, AFailedWriteKeepsTheEarlierStepsAndRunsNoLaterOne) {
  for (bool autoLogon : {true, false}) {
    const std::vector<Step> steps = ApplySteps(autoLogon);
    // The positions of the writes among the steps (deletions cannot fail visibly).
    std::vector<std::size_t> writes;
    for (std::size_t i = 0; i < steps.size(); ++i) {
      if (steps[i].text)
        writes.push_back(i);
    }
    for (memory::Operation failing : {memory::Operation::Create, memory::Operation::Set}) {
      for (std::size_t n = 0; n < writes.size(); ++n) {
        SCOPED_TRACE(::testing::Message()
                     << "auto logon " << autoLogon << ", write " << n + 1
                     << (failing == memory::Operation::Create ? " create" : " set"));
        SetUp();
        IsChinese = n % 2 == 1;  // both languages come up
        memory::FailCall(failing, static_cast<int>(n) + 1, registry::kAccessDenied);
        EXPECT_THROW(Apply(autoLogon), ProcessEnded);
        EXPECT_EQ(memory::Snapshot(), After(steps, writes[n]));
        ASSERT_EQ(platform.messageBoxes.size(), 1u);
        EXPECT_EQ(platform.messageBoxes[0].text.substr(0, 4), IsChinese ? u"無法操作" : u"Cann");
        EXPECT_EQ(platform.messageBoxes[0].style, kMessageError);
        EXPECT_EQ(memory::OpenHandleCount(), 0);
        platform.messageBoxes.clear();
      }
    }
  }
}

TEST_F(ApplyFaults, AFailedValueWriteStopsBeforeTheNextKeyIsEvenOpened) {
  memory::FailCall(memory::Operation::Set, 1, registry::kAccessDenied);
  EXPECT_THROW(Apply(true), ProcessEnded);
  EXPECT_EQ(memory::CallCount(memory::Operation::Create), 1);
  EXPECT_EQ(memory::CallCount(memory::Operation::Set), 1);
}

TEST(RoutineArguments, KeysAreOpenedAndCreatedWithTheDocumentedRightsAndAllClosed) {
  memory::Reset();
  HeadlessPlatform platform;
  std::u16string value;
  GetValue(kLocalMachine, kWinlogonKey, u"AutoAdminLogon", value);
  EXPECT_EQ(memory::LastOpenAccess(), 0x20001u);
  DeleteValue(kLocalMachine, kWinlogonKey, u"AutoAdminLogon");
  EXPECT_EQ(memory::LastOpenAccess(), 0x2003Fu);

  SetValue(kLocalMachine, kWinlogonKey, u"AutoAdminLogon", u"1");
  EXPECT_EQ(memory::LastSetLength(), 1u);  // the text alone, no terminating NUL
  const memory::CreateArguments created = memory::LastCreateArguments();
  EXPECT_EQ(created.className, std::optional<std::string>("1"));
  EXPECT_EQ(created.access, 0x2003Fu);
  EXPECT_EQ(created.reserved + created.options, 0u);
  EXPECT_TRUE(created.securityGiven && created.inheritHandle && created.securityDescriptorNull);
  EXPECT_EQ(memory::OpenHandleCount(), 0);
}

TEST(RoutineFaults, RefusedReadsReadEmptyAndRefusedDeletionsStaySilent) {
  memory::Reset();
  HeadlessPlatform platform;
  memory::PutValue(kLocalMachine, kWinlogonKey, u"DefaultUserName", registry::kTypeSz, "Admin");
  // A refused open, then a refused query (each GetValue makes one of each).
  memory::FailCall(memory::Operation::Open, 1, registry::kAccessDenied);
  memory::FailCall(memory::Operation::Query, 2, registry::kAccessDenied);
  for (int read = 0; read < 2; ++read) {
    std::u16string value = u"before";
    EXPECT_TRUE(GetValue(kLocalMachine, kWinlogonKey, u"DefaultUserName", value));
    EXPECT_EQ(value, u"");
  }
  memory::FailCall(memory::Operation::Delete, 1, registry::kAccessDenied);
  DeleteValue(kLocalMachine, kWinlogonKey, u"DefaultUserName");
  EXPECT_TRUE(memory::FindValue(kLocalMachine, kWinlogonKey, u"DefaultUserName").has_value());
  EXPECT_TRUE(platform.messageBoxes.empty());
  EXPECT_EQ(memory::OpenHandleCount(), 0);
}

}  // namespace
}  // namespace quenda
