// The real registry through the Win32 backend, beyond the shared contract: links met at any depth of a
// deleted tree, names and data at the system's size limits, refused names, and the test redirection
// of the predefined keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/registry_accessor.h"
#include "platform/text_encoding.h"
#include "platform/win32/registry_links.h"
#include "platform/win32/scoped_registry_redirect.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_backends.h"

namespace trenmoor::testing {
namespace {

using platform::RawValue;
using platform::RootKey;
using platform::win32::UniqueHKey;
using platform::win32::Widen;

// A scratch key under the real HKEY_CURRENT_USER, removed (links never followed) afterwards.
class Win32RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static int serial = 0;
        scratch_ = "Software\\TrenmoorTest\\reg-" + std::to_string(GetCurrentProcessId()) + "-" +
                   std::to_string(serial++);
        (void)platform::win32::DeleteKeyTreeNoFollow(HKEY_CURRENT_USER, Widen(scratch_));
        ASSERT_NE(registry_.open(RootKey::CurrentUser, scratch_, true, true), nullptr);
    }
    void TearDown() override {
        EXPECT_EQ(platform::win32::DeleteKeyTreeNoFollow(HKEY_CURRENT_USER, Widen(scratch_)), ERROR_SUCCESS);
        UniqueHKey root;
        DWORD subkeys = 1;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\TrenmoorTest", 0, KEY_READ, root.put()) ==
                ERROR_SUCCESS &&
            RegQueryInfoKeyW(root.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
            subkeys == 0) {
            root.reset();
            (void)platform::win32::DeleteKeyTreeNoFollow(HKEY_CURRENT_USER, L"Software\\TrenmoorTest");
        }
    }

    std::string path(const std::string& rel) const { return scratch_ + "\\" + rel; }
    std::unique_ptr<platform::RegKey> create(const std::string& rel) {
        return registry_.open(RootKey::CurrentUser, path(rel), true, true);
    }
    bool exists(const std::string& rel) {
        return registry_.open(RootKey::CurrentUser, path(rel), false, false) != nullptr;
    }
    // Makes scratch\rel a link to scratch\target.
    bool link(const std::string& rel, const std::string& target) {
        UniqueHKey targetKey;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path(target)).c_str(), 0, KEY_READ, targetKey.put()) !=
            ERROR_SUCCESS)
            return false;
        const auto kernelName = platform::win32::KernelKeyName(targetKey.get());
        return kernelName && platform::win32::CreateRegistryLink(HKEY_CURRENT_USER, Widen(path(rel)),
                                                                 *kernelName) == ERROR_SUCCESS;
    }

    platform::win32::Win32Registry registry_;
    std::string scratch_;
};

TEST_F(Win32RegistryTest, KernelNameOfAKeyNamesTheUsersHive) {
    UniqueHKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, Widen(scratch_).c_str(), 0, KEY_READ, key.put()),
              ERROR_SUCCESS);
    const auto name = platform::win32::KernelKeyName(key.get());
    ASSERT_TRUE(name.has_value());
    const std::string narrow = platform::UpperUtf8(platform::win32::Narrow(*name));
    EXPECT_EQ(narrow.rfind("\\REGISTRY\\USER\\", 0), 0u) << narrow;
    EXPECT_EQ(narrow.substr(narrow.size() - scratch_.size()), platform::UpperUtf8(scratch_)) << narrow;
}

TEST_F(Win32RegistryTest, ALinkIsOpenedThroughButRecognisedAsALinkWhenOpenedAsOne) {
    ASSERT_NE(create("Target\\Inner"), nullptr);
    ASSERT_TRUE(link("Link", "Target"));
    EXPECT_FALSE(link("Link", "Target"));  // the name is taken
    auto through = registry_.open(RootKey::CurrentUser, path("Link"), false, false);
    ASSERT_NE(through, nullptr);
    EXPECT_EQ(through->subkeyNames(), std::vector<std::string>{"Inner"});

    UniqueHKey asLink;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path("Link")).c_str(), REG_OPTION_OPEN_LINK, KEY_READ,
                            asLink.put()),
              ERROR_SUCCESS);
    EXPECT_TRUE(platform::win32::IsRegistryLink(asLink.get()));
    UniqueHKey plain;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path("Target")).c_str(), REG_OPTION_OPEN_LINK, KEY_READ,
                            plain.put()),
              ERROR_SUCCESS);
    EXPECT_FALSE(platform::win32::IsRegistryLink(plain.get()));
}

TEST_F(Win32RegistryTest, LinksDeepInADeletedTreeAreCutNotFollowed) {
    auto target = create("Outside\\Precious\\Leaf");
    ASSERT_NE(target, nullptr);
    ASSERT_TRUE(target->setValue("v", RawValue{platform::kRegDword, {7, 0, 0, 0}}));
    ASSERT_NE(create("Doomed\\A\\B"), nullptr);
    ASSERT_NE(create("Doomed\\C"), nullptr);
    ASSERT_TRUE(link("Doomed\\A\\B\\ToPrecious", "Outside\\Precious"));
    ASSERT_TRUE(link("Doomed\\C\\ToOutside", "Outside"));
    ASSERT_TRUE(link("Doomed\\Top", "Outside\\Precious\\Leaf"));
    ASSERT_TRUE(exists("Doomed\\A\\B\\ToPrecious\\Leaf"));  // the links work before the delete

    auto base = registry_.open(RootKey::CurrentUser, scratch_, false, false);  // read-only suffices
    ASSERT_NE(base, nullptr);
    EXPECT_TRUE(base->deleteSubkeyTree("doomed"));
    EXPECT_FALSE(exists("Doomed"));
    EXPECT_TRUE(exists("Outside\\Precious\\Leaf"));
    auto leaf = registry_.open(RootKey::CurrentUser, path("Outside\\Precious\\Leaf"), false, false);
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(leaf->queryValue("v"), (RawValue{platform::kRegDword, {7, 0, 0, 0}}));
    EXPECT_EQ(base->subkeyNames(), std::vector<std::string>{"Outside"});
}

TEST_F(Win32RegistryTest, DeletingBelowALinkedPathDeletesInTheTarget) {
    // Only the last name is opened as a link; the levels before it are followed, as Windows follows them.
    ASSERT_NE(create("Real\\Child\\Grandchild"), nullptr);
    ASSERT_TRUE(link("Alias", "Real"));
    auto base = registry_.open(RootKey::CurrentUser, scratch_, false, true);
    ASSERT_NE(base, nullptr);
    EXPECT_TRUE(base->deleteSubkeyTree("Alias\\Child"));
    EXPECT_FALSE(exists("Real\\Child"));
    EXPECT_TRUE(exists("Real"));
    EXPECT_TRUE(exists("Alias"));
}

TEST_F(Win32RegistryTest, NamesAndDataAtTheSystemsLimits) {
    auto key = create("Limits");
    ASSERT_NE(key, nullptr);
    const std::string longValueName(16383, 'v');  // the longest value name there is
    const std::string longKeyName(255, 'k');      // the longest key name there is
    std::vector<uint8_t> big(3 * 1024 * 1024);    // data beyond any fixed buffer
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i % 251);
    ASSERT_TRUE(key->setValue(longValueName, RawValue{platform::kRegBinary, big}));
    ASSERT_NE(key->openSubkey(longKeyName, true, true), nullptr);
    ASSERT_TRUE(key->setValue("short", RawValue{platform::kRegSz, platform::Utf8ToRegBytes("s")}));

    auto names = key->valueNames();  // the order is the system's (Wine sorts values, Windows does not)
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"short", longValueName}));
    EXPECT_FALSE(
        key->setValue(longValueName + "v", RawValue{platform::kRegDword, {1, 0, 0, 0}}));  // too long
    EXPECT_EQ(key->subkeyNames(), std::vector<std::string>{longKeyName});
    const auto value = key->queryValue(longValueName);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->data, big);
    // One character too long, alone or as a level of a path.
    EXPECT_EQ(key->openSubkey(std::string(256, 'k'), true, true), nullptr);
    EXPECT_EQ(key->openSubkey("a\\" + std::string(256, 'k') + "\\b", true, true), nullptr);
    EXPECT_EQ(key->subkeyNames(), std::vector<std::string>{longKeyName});
}

TEST_F(Win32RegistryTest, NamesWithAnEmbeddedNulAreRefused) {
    auto key = create("Nul");
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->setValue("victim", RawValue{platform::kRegDword, {1, 0, 0, 0}}));
    ASSERT_NE(key->openSubkey("victimKey", true, true), nullptr);
    // The API would stop at the NUL and act on "victim" / "victimKey".
    const std::string value = std::string("victim\0x", 8);
    const std::string subkey = std::string("victimKey\0x", 11);
    EXPECT_FALSE(key->setValue(value, RawValue{platform::kRegDword, {2, 0, 0, 0}}));
    EXPECT_FALSE(key->deleteValue(value));
    EXPECT_FALSE(key->queryValue(value).has_value());
    EXPECT_FALSE(key->deleteSubkeyTree(subkey));
    EXPECT_EQ(key->openSubkey(subkey, true, true), nullptr);
    EXPECT_EQ(key->queryValue("victim"), (RawValue{platform::kRegDword, {1, 0, 0, 0}}));
    EXPECT_EQ(key->subkeyNames(), std::vector<std::string>{"victimKey"});
    EXPECT_FALSE(key->deleteSubkeyTree(""));  // never the key itself
    EXPECT_TRUE(exists("Nul\\victimKey"));
}

TEST_F(Win32RegistryTest, RedirectionGivesFreshKeysAndPutsTheRealOnesBack) {
    const std::string marker = "Software\\TrenmoorRedirectProbe-" + std::to_string(GetCurrentProcessId());
    std::wstring scratch;
    {
        platform::win32::ScopedRegistryRedirect redirect;
        ASSERT_TRUE(redirect.active());
        scratch = redirect.scratchPath();
        platform::win32::ScopedRegistryRedirect second;  // one at a time
        EXPECT_FALSE(second.active());

        // Both roots start empty and take writes.
        for (const RootKey root : {RootKey::CurrentUser, RootKey::LocalMachine}) {
            auto top = registry_.open(root, "", false, false);
            ASSERT_NE(top, nullptr);
            EXPECT_TRUE(top->subkeyNames().empty());
            platform::TRegistry reg(registry_, root);
            ASSERT_TRUE(reg.OpenKey("\\" + marker, true));
            ASSERT_TRUE(reg.WriteString("where", root == RootKey::CurrentUser ? "user" : "machine"));
        }
        platform::TRegistry user(registry_, RootKey::CurrentUser);
        ASSERT_TRUE(user.OpenKeyReadOnly("\\" + marker));
        EXPECT_EQ(user.ReadString("where"), "user");
        platform::TRegistry machine(registry_, RootKey::LocalMachine);
        ASSERT_TRUE(machine.OpenKeyReadOnly("\\" + marker));
        EXPECT_EQ(machine.ReadString("where"), "machine");
        EXPECT_FALSE(machine.KeyExists("\\Software\\Microsoft"));  // not the real machine key
    }
    // Back to the real keys: nothing was written there, and the scratch keys are gone.
    EXPECT_FALSE(registry_.open(RootKey::CurrentUser, marker, false, false));
    EXPECT_FALSE(registry_.open(RootKey::LocalMachine, marker, false, false));
    EXPECT_FALSE(registry_.open(RootKey::CurrentUser, platform::win32::Narrow(scratch), false, false));
    EXPECT_TRUE(registry_.open(RootKey::LocalMachine, "Software\\Microsoft", false, false));
    EXPECT_TRUE(registry_.open(RootKey::CurrentUser, scratch_, false, false));

    platform::win32::ScopedRegistryRedirect again;  // usable again once the first is gone
    EXPECT_TRUE(again.active());
}

}  // namespace
}  // namespace trenmoor::testing
