// The password-store rule through the command line on the host, where the substitute stands in for
// the LSA secret (under Wine every secret call answers "not found", so only the host reaches the
// roads with a secret): where the password is read from, where each command puts it, and that a
// failure at the secret leaves everything unwritten.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ansi_text_iconv.h"
#include "console_commands.h"
#include "locations.h"
#include "registry_memory.h"
#include "secret_memory.h"
#include "services_headless.h"
#include "texts.h"

namespace quenda {
namespace {

namespace memory = registry::memory;
using Args = std::vector<std::u16string_view>;
using Secret = std::optional<std::u16string>;

// Where the password is: DefaultPassword's data as stored (nullopt: absent) and the secret.
struct Passwords {
  std::optional<std::string> registry;
  Secret secret;
  friend bool operator==(const Passwords&, const Passwords&) = default;
};

class PasswordStore : public ::testing::Test {
 protected:
  void SetUp() override {
    memory::Reset();
    secret::memory::Reset();
    SetAnsiCodePage("WINDOWS-1252");
    IsChinese = false;
  }

  // Stores `passwords` beside the rest of a configuration for "ann" with the flags given.
  static void Store(const Passwords& passwords, const char* autoAdminLogon = "1",
                    const char* automatic = "0") {
    for (const auto& [name, text] : {std::pair{kAutoAdminLogonValue, autoAdminLogon},
                                     {kDefaultUserNameValue, "ann"},
                                     {kQuendaValue, automatic}})
      memory::PutValue(registry::kLocalMachine, kWinlogonKey, name, registry::kTypeSz,
                       std::string(text) + '\0');
    if (passwords.registry)
      memory::PutValue(registry::kLocalMachine, kWinlogonKey, kDefaultPasswordValue,
                       registry::kTypeSz, *passwords.registry);
    secret::memory::PutSecret(passwords.secret);
  }

  static Passwords Stored() {
    const auto value =
        memory::FindValue(registry::kLocalMachine, kWinlogonKey, kDefaultPasswordValue);
    return {value ? std::optional(value->data) : std::nullopt, secret::memory::FindSecret()};
  }

  // Runs quenda.com; the exit code, also of a process a failure ended.
  int Run(Args arguments, std::string input = {}) {
    console = HeadlessConsole();
    console.input = std::move(input);
    try {
      return RunConsole(arguments, console, console);
    } catch (const ProcessEnded& ended) {
      return ended.exitCode;
    }
  }

  // The value of the status report's "Password stored" line.
  std::u16string StatusPassword() {
    EXPECT_EQ(Run({u"/status"}), 0);
    const std::u16string label = u"Password stored: ";
    const std::size_t start = console.output.find(label) + label.size();
    return console.output.substr(start, console.output.find(u'\r', start) - start);
  }

  HeadlessConsole console;
};

const Args kEnable = {u"/enable", u"/user:ann"};
const Args kEnableProtected = {u"/enable", u"/user:ann", u"/protect"};
const Args kDisable = {u"/disable"};
const Args kReapply = {u"/reapply"};

// The rule, one road a row: the passwords before, what /status says of them, the command, the
// passwords after. The registry data shows the NUL Windows keeps after a written text. Only the
// rows that change the secret open the LSA policy for storing.
TEST_F(PasswordStore, EachRoadLeavesThePasswordWhereWindowsReadsIt) {
  struct Road {
    const char* label;
    Passwords before;
    std::u16string_view location;
    Args command;
    const char* input;
    Passwords after;
  };
  const std::string written = std::string("new") + '\0';
  const Road roads[] = {
      {"no secret: the registry, as always",
       {"old", {}},
       u"registry",
       kEnable,
       "new",
       {written, {}}},
      {"/protect moves it into a secret",
       {"old", {}},
       u"registry",
       kEnableProtected,
       "new",
       {{}, u"new"}},
      {"a secret takes it without /protect",
       {{}, u"old"},
       u"protected",
       kEnable,
       "new",
       {{}, u"new"}},
      {"a value left beside a secret goes",
       {"old", u"old"},
       u"protected",
       kEnable,
       "new",
       {{}, u"new"}},
      {"/disable deletes both", {"old", u"old"}, u"protected", kDisable, "", {{}, {}}},
      {"an empty password deletes both",
       {{}, u"old"},
       u"protected",
       kEnableProtected,
       "\r\n",
       {{}, {}}},
      {"/reapply keeps the secret as it is",
       {{}, u"kept"},
       u"protected",
       kReapply,
       "",
       {{}, u"kept"}},
      {"an empty value is no password",
       {std::string(1, '\0'), {}},
       u"none",
       kDisable,
       "",
       {{}, {}}},
  };
  for (const Road& road : roads) {
    SCOPED_TRACE(road.label);
    SetUp();
    Store(road.before, "1", "1");
    EXPECT_EQ(StatusPassword(), road.location);
    const bool changesSecret = road.after.secret != road.before.secret;
    const int checksBefore = secret::memory::CallCount(secret::memory::Operation::CheckStoreAccess);
    EXPECT_EQ(Run(road.command, road.input), 0);
    EXPECT_TRUE(Stored() == road.after);  // compared without printing: these stand for passwords
    EXPECT_EQ(secret::memory::CallCount(secret::memory::Operation::CheckStoreAccess) - checksBefore,
              changesSecret ? 1 : 0);
  }
}

// A failure at the secret, whether the LSA policy cannot be opened for storing or the store
// itself fails, ends the apply with the failure message before anything is written.
TEST_F(PasswordStore, AFailureAtTheSecretLeavesEverythingUnwritten) {
  using secret::memory::Operation;
  for (const Operation failing : {Operation::CheckStoreAccess, Operation::Store}) {
    for (const Args& command : {kEnable, kDisable}) {
      SCOPED_TRACE(::testing::Message() << static_cast<int>(failing) << " " << command.size());
      SetUp();
      Store({{}, u"old"}, "0");
      const auto registryBefore = memory::Snapshot();
      secret::memory::FailCall(failing, 1, secret::kAccessDenied);
      EXPECT_EQ(Run(command, "new"), kExitWriteFailed);
      EXPECT_EQ(console.error, std::u16string(FailureMessage()) + u"\r\n");
      EXPECT_EQ(memory::Snapshot(), registryBefore);
      EXPECT_TRUE(secret::memory::FindSecret() == u"old");
      EXPECT_EQ(memory::CallCount(memory::Operation::Set), 0);
    }
  }
}

// A secret that may not be read (no administrative rights): where the password is kept is unknown.
// /status says the settings cannot be read; a new password cannot be placed and nothing is
// written; /reapply leaves the password alone wherever it is.
TEST_F(PasswordStore, AnUnreadableSecretIsNeitherGuessedNorOverwritten) {
  const auto refuseReads = [] {
    for (int call = 1; call <= 3; ++call)
      secret::memory::FailCall(secret::memory::Operation::Retrieve, call, secret::kAccessDenied);
  };
  Store({"old", u"old"}, "0", "1");
  refuseReads();
  EXPECT_EQ(Run({u"/status"}), kExitWriteFailed);
  EXPECT_EQ(console.error, std::u16string(UnreadableMessage()) + u"\r\n");

  SetUp();
  Store({"old", u"old"}, "0", "1");
  refuseReads();
  const auto before = memory::Snapshot();
  EXPECT_EQ(Run(kEnable, "new"), kExitWriteFailed);
  EXPECT_EQ(memory::Snapshot(), before);

  SetUp();
  Store({"old", u"old"}, "0", "1");
  refuseReads();
  EXPECT_EQ(Run(kReapply), 0);
  EXPECT_TRUE(Stored() == (Passwords{"old", u"old"}));
  EXPECT_EQ(memory::FindValue(registry::kLocalMachine, kWinlogonKey, kAutoAdminLogonValue)->data,
            std::string("1") + '\0');
}

// /reapply with "Automatically" off changes nothing and says so; it exits with 0.
TEST_F(PasswordStore, ReapplyWithAutomaticallyOffChangesNothing) {
  Store({"old", {}}, "0", "0");
  const auto before = memory::Snapshot();
  EXPECT_EQ(Run(kReapply), 0);
  EXPECT_EQ(console.output, ReapplyOffMessage());
  EXPECT_EQ(memory::Snapshot(), before);
}

}  // namespace
}  // namespace quenda
