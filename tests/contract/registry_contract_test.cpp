// The registry contract: what every registry backend must do, checked through the raw keys and
// through the accessor the tools use. Runs against the simulated registry natively and against the
// real registry under Wine; every expectation is what Windows itself does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "contract/registry_contract.h"
#include "platform/registry.h"
#include "platform/registry_accessor.h"
#include "platform/text_encoding.h"

namespace trenmoor::testing {
namespace {

using platform::ERegistryException;
using platform::RawValue;
using platform::RegDataType;
using platform::RootKey;
using platform::TRegistry;

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<uint8_t> out;
    for (const int v : values) out.push_back(static_cast<uint8_t>(v));
    return out;
}

std::vector<uint8_t> Utf16Bytes(std::u16string_view text, bool terminated) {
    std::vector<uint8_t> out;
    for (const char16_t c : text) {
        out.push_back(static_cast<uint8_t>(c & 0xFF));
        out.push_back(static_cast<uint8_t>(c >> 8));
    }
    if (terminated) {
        out.push_back(0);
        out.push_back(0);
    }
    return out;
}

class RegistryContract : public ::testing::Test {
  protected:
    void SetUp() override {
        env_ = MakeContractEnvironment();
        ASSERT_NE(env_, nullptr);
        scratch_ = env_->scratchPath();
        ASSERT_FALSE(scratch_.empty());
    }

    platform::Registry& registry() { return env_->registry(); }
    // Absolute accessor path of a key below the scratch key ("\<scratch>\rel").
    std::string abs(const std::string& rel = "") const {
        return "\\" + scratch_ + (rel.empty() ? "" : "\\" + rel);
    }
    // Raw path (from the root, no leading backslash) of a key below the scratch key.
    std::string raw(const std::string& rel = "") const { return scratch_ + (rel.empty() ? "" : "\\" + rel); }

    std::unique_ptr<platform::RegKey> openRaw(const std::string& rel, bool create, bool writable) {
        return registry().open(RootKey::CurrentUser, raw(rel), create, writable);
    }

    std::unique_ptr<ContractEnvironment> env_;
    std::string scratch_;
};

// ---------------------------------------------------------------------------------------------
// Opening keys

TEST_F(RegistryContract, ScratchKeyExistsAndStartsEmpty) {
    auto key = openRaw("", false, false);
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(key->subkeyNames().empty());
    EXPECT_TRUE(key->valueNames().empty());
    const auto info = key->info();
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->subkeyCount, 0u);
    EXPECT_EQ(info->valueCount, 0u);
}

TEST_F(RegistryContract, PathWithBackslashIsFromTheRootOtherwiseFromTheOpenKey) {
    TRegistry reg(registry());
    ASSERT_TRUE(reg.OpenKey(abs("A"), true));
    EXPECT_EQ(reg.CurrentPath(), raw("A"));

    // Relative: below the key that is open now.
    ASSERT_TRUE(reg.OpenKey("B", true));
    EXPECT_EQ(reg.CurrentPath(), raw("A\\B"));
    ASSERT_TRUE(reg.OpenKey("C\\D", true));
    EXPECT_EQ(reg.CurrentPath(), raw("A\\B\\C\\D"));

    // Absolute: from the root, whatever is open.
    ASSERT_TRUE(reg.OpenKey(abs("A"), false));
    EXPECT_EQ(reg.CurrentPath(), raw("A"));
    EXPECT_TRUE(reg.KeyExists(abs("A\\B\\C\\D")));
    EXPECT_TRUE(reg.KeyExists("B\\C"));   // relative to A
    EXPECT_FALSE(reg.KeyExists("C\\D"));  // A\C\D does not exist
    EXPECT_FALSE(reg.KeyExists(abs("B")));

    // The raw registry sees the same keys.
    EXPECT_NE(openRaw("A\\B\\C\\D", false, false), nullptr);
    EXPECT_EQ(openRaw("B", false, false), nullptr);
}

TEST_F(RegistryContract, OpenWithoutCreateFailsForMissingKeysAndKeepsTheOpenKey) {
    TRegistry reg(registry());
    ASSERT_TRUE(reg.OpenKey(abs("Here"), true));
    EXPECT_FALSE(reg.OpenKey(abs("Missing"), false));
    EXPECT_FALSE(reg.OpenKey("Missing\\Deeper", false));
    EXPECT_FALSE(reg.OpenKeyReadOnly(abs("Missing")));
    EXPECT_TRUE(reg.HasOpenKey());
    EXPECT_EQ(reg.CurrentPath(), raw("Here"));
    EXPECT_FALSE(reg.KeyExists(abs("Missing")));
    EXPECT_FALSE(reg.KeyExists(abs("Here\\Missing")));
}

TEST_F(RegistryContract, OpenWithCreateMakesEveryMissingLevel) {
    TRegistry reg(registry());
    ASSERT_TRUE(reg.OpenKey(abs("L1\\L2\\L3\\L4"), true));
    for (const char* path : {"L1", "L1\\L2", "L1\\L2\\L3", "L1\\L2\\L3\\L4"})
        EXPECT_TRUE(reg.KeyExists(abs(path))) << path;

    auto key = openRaw("", true, true);
    ASSERT_NE(key, nullptr);
    auto deep = key->openSubkey("M1\\M2\\M3", true, true);
    ASSERT_NE(deep, nullptr);
    EXPECT_NE(openRaw("M1\\M2\\M3", false, false), nullptr);
    EXPECT_EQ(key->openSubkey("M1\\Nope", false, false), nullptr);
}

TEST_F(RegistryContract, CreatingAnExistingKeyOpensIt) {
    TRegistry reg(registry());
    ASSERT_TRUE(reg.OpenKey(abs("Existing"), true));
    ASSERT_TRUE(reg.WriteString("v", "kept"));
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKey(abs("Existing"), true));
    EXPECT_EQ(reg.ReadString("v"), "kept");
}

TEST_F(RegistryContract, KeyAndValueNamesIgnoreCase) {
    TRegistry reg(registry());
    ASSERT_TRUE(reg.OpenKey(abs("MixedCase\\Inner"), true));
    ASSERT_TRUE(reg.WriteString("ValueName", "data"));
    reg.CloseKey();

    ASSERT_TRUE(reg.OpenKey(abs("MIXEDCASE\\inner"), false));
    EXPECT_TRUE(reg.ValueExists("valuename"));
    EXPECT_TRUE(reg.ValueExists("VALUENAME"));
    EXPECT_EQ(reg.ReadString("vALUEnAME"), "data");

    // Writing under another spelling replaces the value; the stored names keep their first spelling.
    ASSERT_TRUE(reg.WriteString("VALUENAME", "new"));
    EXPECT_EQ(reg.GetValueNames(), std::vector<std::string>{"ValueName"});
    EXPECT_EQ(reg.ReadString("ValueName"), "new");
    ASSERT_TRUE(reg.OpenKey(abs("mixedcase\\INNER"), true));
    ASSERT_TRUE(reg.OpenKey(abs("mixedcase"), false));
    EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"Inner"});

    auto key = openRaw("mixedcase", false, false);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->subkeyNames(), std::vector<std::string>{"Inner"});
    auto inner = key->openSubkey("iNnEr", false, false);
    ASSERT_NE(inner, nullptr);
    EXPECT_TRUE(inner->queryValue("valuename").has_value());
}

TEST_F(RegistryContract, EmptyPathOpensTheRoot) {
    auto root = registry().open(RootKey::CurrentUser, "", false, false);
    ASSERT_NE(root, nullptr);
    auto scratch = root->openSubkey(scratch_, false, false);
    EXPECT_NE(scratch, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Enumeration order

TEST_F(RegistryContract, SubkeysAreListedSortedWithoutRegardToCase) {
    struct Case {
        const char* title;
        std::vector<std::string> created;
        std::vector<std::string> listed;
    };
    const Case table[] = {
        {"letters", {"b", "A", "C"}, {"A", "b", "C"}},
        {"prefixes and digits", {"ab", "a", "A1", "B", "a0"}, {"a", "a0", "A1", "ab", "B"}},
        {"creation order does not matter",
         {"Zulu", "Yankee", "Xray", "whiskey"},
         {"whiskey", "Xray", "Yankee", "Zulu"}},
    };
    int n = 0;
    for (const auto& c : table) {
        SCOPED_TRACE(c.title);
        const std::string base = "Order" + std::to_string(n++);
        TRegistry reg(registry());
        for (const auto& name : c.created) ASSERT_TRUE(reg.OpenKey(abs(base + "\\" + name), true)) << name;
        ASSERT_TRUE(reg.OpenKey(abs(base), false));
        EXPECT_EQ(reg.GetKeyNames(), c.listed);
        EXPECT_TRUE(reg.HasSubKeys());
        auto key = openRaw(base, false, false);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->subkeyNames(), c.listed);
        EXPECT_EQ(key->info()->subkeyCount, c.listed.size());
    }
}

// Windows compares upper-cased names, so the punctuation between "Z" and "a" sorts after the letters.
TEST_F(RegistryContract, SubkeysSortByUpperCasedNames) {
    TRegistry reg(registry());
    for (const char* name : {"_z", "Zeta", "alpha", "[x", "^caret"})
        ASSERT_TRUE(reg.OpenKey(abs(std::string("Upper\\") + name), true)) << name;
    ASSERT_TRUE(reg.OpenKey(abs("Upper"), false));
    EXPECT_EQ(reg.GetKeyNames(), (std::vector<std::string>{"alpha", "Zeta", "[x", "^caret", "_z"}));
}

TEST_F(RegistryContract, ValuesAreListedInTheSystemsOrder) {
    TRegistry reg(registry());
    ASSERT_TRUE(reg.OpenKey(abs("Values"), true));
    for (const char* name : {"zeta", "Alpha", "mid", "beta", "Beta2"})
        ASSERT_TRUE(reg.WriteString(name, name));
    const std::vector<std::string> expected =
        env_->valuesKeepCreationOrder() ? std::vector<std::string>{"zeta", "Alpha", "mid", "beta", "Beta2"}
                                        : std::vector<std::string>{"Alpha", "beta", "Beta2", "mid", "zeta"};
    EXPECT_EQ(reg.GetValueNames(), expected);
    // Rewriting a value, even with another type, keeps its place.
    ASSERT_TRUE(reg.WriteInteger("mid", 7));
    EXPECT_EQ(reg.GetValueNames(), expected);
    EXPECT_FALSE(reg.HasSubKeys());

    auto key = openRaw("Values", false, false);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->valueNames(), expected);
    EXPECT_EQ(key->info()->valueCount, expected.size());
}

// ---------------------------------------------------------------------------------------------
// Types, sizes and typed reads

TEST_F(RegistryContract, DataTypesAndSizesOfTypedWrites) {
    TRegistry reg(registry());
    ASSERT_TRUE(reg.OpenKey(abs("Types"), true));
    const uint8_t blob[] = {1, 0, 2, 0, 0, 3};
    ASSERT_TRUE(reg.WriteString("str", "abc"));
    ASSERT_TRUE(reg.WriteString("empty", ""));
    ASSERT_TRUE(reg.WriteString("umlaut", "Grüße"));
    ASSERT_TRUE(reg.WriteExpandString("exp", "%SystemRoot%\\x"));
    ASSERT_TRUE(reg.WriteInteger("int", -5));
    ASSERT_TRUE(reg.WriteBool("yes", true));
    ASSERT_TRUE(reg.WriteBinaryData("bin", blob, sizeof blob));
    ASSERT_TRUE(reg.WriteBinaryData("nobytes", blob, 0));
    ASSERT_TRUE(
        reg.WriteRaw("multi", RawValue{platform::kRegMultiSz, platform::MultiStringToRegBytes({"a", "b"})}));
    ASSERT_TRUE(reg.WriteRaw("qword", RawValue{platform::kRegQword, Bytes({1, 2, 3, 4, 5, 6, 7, 8})}));
    ASSERT_TRUE(reg.WriteRaw("none", RawValue{platform::kRegNone, Bytes({9})}));

    struct Case {
        const char* name;
        RegDataType type;
        uint32_t size;
        uint32_t rawType;
    };
    const Case table[] = {
        {"str", RegDataType::String, 8, platform::kRegSz},
        {"empty", RegDataType::String, 2, platform::kRegSz},
        {"umlaut", RegDataType::String, 12, platform::kRegSz},
        {"exp", RegDataType::ExpandString, 30, platform::kRegExpandSz},
        {"int", RegDataType::Integer, 4, platform::kRegDword},
        {"yes", RegDataType::Integer, 4, platform::kRegDword},
        {"bin", RegDataType::Binary, 6, platform::kRegBinary},
        {"nobytes", RegDataType::Binary, 0, platform::kRegBinary},
        {"multi", RegDataType::Unknown, 10, platform::kRegMultiSz},
        {"qword", RegDataType::Unknown, 8, platform::kRegQword},
        {"none", RegDataType::Unknown, 1, platform::kRegNone},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(reg.ValueExists(c.name));
        EXPECT_EQ(reg.GetDataType(c.name), c.type);
        EXPECT_EQ(reg.GetDataSize(c.name), c.size);
        const auto rawValue = reg.ReadRaw(c.name);
        ASSERT_TRUE(rawValue.has_value());
        EXPECT_EQ(rawValue->type, c.rawType);
        EXPECT_EQ(rawValue->data.size(), c.size);
    }
    EXPECT_EQ(reg.GetDataType("missing"), RegDataType::Unknown);
    EXPECT_FALSE(reg.GetDataSize("missing").has_value());
    EXPECT_FALSE(reg.ValueExists("missing"));
}

TEST_F(RegistryContract, TypedReadsReturnWhatWasWritten) {
    TRegistry reg(registry());
    ASSERT_TRUE(reg.OpenKey(abs("Reads"), true));
    ASSERT_TRUE(reg.WriteString("s", "C:\\Program Files\\App\\app.exe"));
    ASSERT_TRUE(reg.WriteExpandString("e", "%SystemRoot%\\system32"));
    ASSERT_TRUE(reg.WriteInteger("i", 123456));
    ASSERT_TRUE(reg.WriteInteger("neg", -1));
    ASSERT_TRUE(reg.WriteBool("t", true));
    ASSERT_TRUE(reg.WriteBool("f", false));
    ASSERT_TRUE(reg.WriteInteger("five", 5));

    EXPECT_EQ(reg.ReadString("s"), "C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(reg.ReadString("e"), "%SystemRoot%\\system32");  // never expanded
    EXPECT_EQ(reg.ReadInteger("i"), 123456);
    EXPECT_EQ(reg.ReadInteger("neg"), -1);
    EXPECT_TRUE(reg.ReadBool("t"));
    EXPECT_FALSE(reg.ReadBool("f"));
    EXPECT_TRUE(reg.ReadBool("five"));  // any integer but 0
    EXPECT_EQ(reg.ReadString("missing"), "");

    const auto t = reg.ReadRaw("t");
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(t->type, platform::kRegDword);
    EXPECT_EQ(t->data, Bytes({1, 0, 0, 0}));
    const auto neg = reg.ReadRaw("neg");
    EXPECT_EQ(neg->data, Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(RegistryContract, BinaryReadsFillTheCallersBuffer) {
    TRegistry reg(registry());
    ASSERT_TRUE(reg.OpenKey(abs("Binary"), true));
    const uint8_t data[] = {0, 1, 0, 0, 255, 0};
    ASSERT_TRUE(reg.WriteBinaryData("b", data, sizeof data));
    ASSERT_TRUE(reg.WriteRaw("q", RawValue{platform::kRegQword, Bytes({8, 7, 6, 5, 4, 3, 2, 1})}));

    uint8_t buffer[16];
    std::memset(buffer, 0xAA, sizeof buffer);
    EXPECT_EQ(reg.ReadBinaryData("b", buffer, sizeof buffer), sizeof data);
    EXPECT_EQ(std::memcmp(buffer, data, sizeof data), 0);
    EXPECT_EQ(buffer[sizeof data], 0xAA);  // nothing written past the data

    uint8_t exact[sizeof data];
    EXPECT_EQ(reg.ReadBinaryData("b", exact, sizeof exact), sizeof data);
    // Values of types the accessor does not name read as binary too.
    EXPECT_EQ(reg.ReadBinaryData("q", buffer, sizeof buffer), 8u);
    EXPECT_EQ(buffer[0], 8);

    uint8_t small[3];
    EXPECT_THROW(reg.ReadBinaryData("b", small, sizeof small), ERegistryException);
    EXPECT_THROW(reg.ReadBinaryData("missing", buffer, sizeof buffer), ERegistryException);
}

TEST_F(RegistryContract, ReadingWithTheWrongTypeRaises) {
    TRegistry reg(registry());
    ASSERT_TRUE(reg.OpenKey(abs("WrongType"), true));
    ASSERT_TRUE(reg.WriteString("s", "12"));
    ASSERT_TRUE(reg.WriteExpandString("e", "%x%"));
    ASSERT_TRUE(reg.WriteInteger("i", 12));
    const uint8_t b[] = {1, 2, 3, 4};
    ASSERT_TRUE(reg.WriteBinaryData("b", b, sizeof b));
    ASSERT_TRUE(reg.WriteRaw("m", RawValue{platform::kRegMultiSz, platform::MultiStringToRegBytes({"x"})}));

    uint8_t buffer[64];
    struct Case {
        const char* title;
        std::function<void()> read;
    };
    const Case table[] = {
        {"integer of a string", [&] { (void)reg.ReadInteger("s"); }},
        {"integer of an expandable string", [&] { (void)reg.ReadInteger("e"); }},
        {"integer of binary data", [&] { (void)reg.ReadInteger("b"); }},
        {"integer of a missing value", [&] { (void)reg.ReadInteger("missing"); }},
        {"Boolean of a string", [&] { (void)reg.ReadBool("s"); }},
        {"string of an integer", [&] { (void)reg.ReadString("i"); }},
        {"string of binary data", [&] { (void)reg.ReadString("b"); }},
        {"string of a multi-string", [&] { (void)reg.ReadString("m"); }},
        {"binary of a string", [&] { (void)reg.ReadBinaryData("s", buffer, sizeof buffer); }},
        {"binary of an integer", [&] { (void)reg.ReadBinaryData("i", buffer, sizeof buffer); }},
    };
    for (const auto& c : table) EXPECT_THROW(c.read(), ERegistryException) << c.title;
    // The values are untouched by the failed reads.
    EXPECT_EQ(reg.ReadString("s"), "12");
    EXPECT_EQ(reg.ReadInteger("i"), 12);
}

// ---------------------------------------------------------------------------------------------
// Writes and deletions

TEST_F(RegistryContract, WritesReplaceValueAndType) {
    TRegistry reg(registry());
    ASSERT_TRUE(reg.OpenKey(abs("Replace"), true));
    ASSERT_TRUE(reg.WriteString("v", "text"));
    ASSERT_TRUE(reg.WriteInteger("v", 3));
    EXPECT_EQ(reg.GetDataType("v"), RegDataType::Integer);
    EXPECT_EQ(reg.ReadInteger("v"), 3);
    ASSERT_TRUE(reg.WriteString("v", "again"));
    EXPECT_EQ(reg.GetDataType("v"), RegDataType::String);
    EXPECT_EQ(reg.ReadString("v"), "again");
    EXPECT_EQ(reg.GetValueNames().size(), 1u);
}

TEST_F(RegistryContract, DeleteValueReportsWhetherSomethingWasDeleted) {
    TRegistry reg(registry());
    ASSERT_TRUE(reg.OpenKey(abs("DelValue"), true));
    ASSERT_TRUE(reg.WriteString("a", "1"));
    ASSERT_TRUE(reg.WriteString("b", "2"));
    EXPECT_TRUE(reg.DeleteValue("A"));
    EXPECT_FALSE(reg.ValueExists("a"));
    EXPECT_FALSE(reg.DeleteValue("a"));
    EXPECT_FALSE(reg.DeleteValue("never"));
    EXPECT_EQ(reg.GetValueNames(), std::vector<std::string>{"b"});

    auto key = openRaw("DelValue", false, true);
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(key->deleteValue("b"));
    EXPECT_FALSE(key->deleteValue("b"));
    EXPECT_TRUE(key->valueNames().empty());
}

TEST_F(RegistryContract, DeleteKeyRemovesTheKeyWithAllItsSubkeys) {
    TRegistry reg(registry());
    for (const char* path :
         {"Tree\\Doomed\\A\\A1\\A11", "Tree\\Doomed\\A\\A2", "Tree\\Doomed\\B", "Tree\\Sibling"}) {
        ASSERT_TRUE(reg.OpenKey(abs(path), true)) << path;
        ASSERT_TRUE(reg.WriteString("v", path));
        ASSERT_TRUE(reg.WriteInteger("n", 1));
    }
    ASSERT_TRUE(reg.OpenKey(abs("Tree"), false));
    EXPECT_TRUE(reg.DeleteKey("DOOMED"));  // relative to the open key, case ignored
    EXPECT_FALSE(reg.KeyExists(abs("Tree\\Doomed")));
    EXPECT_FALSE(reg.KeyExists(abs("Tree\\Doomed\\A\\A1\\A11")));
    EXPECT_TRUE(reg.KeyExists(abs("Tree\\Sibling")));
    EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"Sibling"});
    EXPECT_FALSE(reg.DeleteKey("Doomed"));  // already gone

    EXPECT_TRUE(reg.DeleteKey(abs("Tree\\Sibling")));  // absolute
    EXPECT_FALSE(reg.KeyExists(abs("Tree\\Sibling")));
    EXPECT_FALSE(reg.DeleteKey(abs("Nowhere\\Nothing")));

    // The raw delete of a direct subkey does the same.
    ASSERT_TRUE(reg.OpenKey(abs("Raw\\X\\Y"), true));
    auto key = openRaw("Raw", false, true);
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(key->deleteSubkeyTree("x"));
    EXPECT_FALSE(key->deleteSubkeyTree("x"));
    EXPECT_TRUE(key->subkeyNames().empty());
}

TEST_F(RegistryContract, ReadOnlyKeysRefuseWrites) {
    TRegistry writer(registry());
    ASSERT_TRUE(writer.OpenKey(abs("ReadOnly\\Child"), true));
    ASSERT_TRUE(writer.WriteString("v", "x"));

    TRegistry reader(registry());
    ASSERT_TRUE(reader.OpenKeyReadOnly(abs("ReadOnly\\Child")));
    EXPECT_EQ(reader.ReadString("v"), "x");
    EXPECT_FALSE(reader.WriteString("v", "changed"));
    EXPECT_FALSE(reader.WriteInteger("other", 1));
    EXPECT_FALSE(reader.DeleteValue("v"));
    EXPECT_EQ(reader.ReadString("v"), "x");
    EXPECT_FALSE(reader.ValueExists("other"));

    auto key = openRaw("ReadOnly", false, false);
    ASSERT_NE(key, nullptr);
    EXPECT_FALSE(key->setValue("w", RawValue{platform::kRegSz, platform::Utf8ToRegBytes("w")}));
    EXPECT_FALSE(key->deleteValue("w"));
    EXPECT_FALSE(key->queryValue("w").has_value());
}

TEST_F(RegistryContract, HandleOfADeletedKeyFailsSafely) {
    auto doomed = openRaw("Gone\\Inner", true, true);
    ASSERT_NE(doomed, nullptr);
    ASSERT_TRUE(doomed->setValue("v", RawValue{platform::kRegDword, Bytes({1, 0, 0, 0})}));

    TRegistry reg(registry());
    ASSERT_TRUE(reg.DeleteKey(abs("Gone")));
    EXPECT_FALSE(reg.KeyExists(abs("Gone")));

    EXPECT_FALSE(doomed->setValue("w", RawValue{platform::kRegDword, Bytes({2, 0, 0, 0})}));
    EXPECT_FALSE(doomed->queryValue("v").has_value());
    EXPECT_TRUE(doomed->valueNames().empty());
    EXPECT_TRUE(doomed->subkeyNames().empty());
    EXPECT_EQ(doomed->openSubkey("New", true, true), nullptr);
    EXPECT_FALSE(reg.KeyExists(abs("Gone")));  // nothing came back
}

// ---------------------------------------------------------------------------------------------
// The default value

TEST_F(RegistryContract, EmptyValueNameIsTheDefaultValue) {
    TRegistry reg(registry());
    ASSERT_TRUE(reg.OpenKey(abs("Default"), true));
    EXPECT_FALSE(reg.ValueExists(""));  // a new key has no default value
    EXPECT_EQ(reg.ReadString(""), "");
    ASSERT_TRUE(reg.WriteString("named", "n"));
    ASSERT_TRUE(reg.WriteString("", "unnamed"));
    EXPECT_TRUE(reg.ValueExists(""));
    EXPECT_EQ(reg.ReadString(""), "unnamed");
    EXPECT_EQ(reg.GetDataType(""), RegDataType::String);
    auto names = reg.GetValueNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"", "named"}));

    auto key = openRaw("Default", false, false);
    ASSERT_NE(key, nullptr);
    const auto v = key->queryValue("");
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(platform::RegBytesToUtf8(v->data), "unnamed");

    EXPECT_TRUE(reg.DeleteValue(""));
    EXPECT_FALSE(reg.ValueExists(""));
    EXPECT_EQ(reg.GetValueNames(), std::vector<std::string>{"named"});
}

// ---------------------------------------------------------------------------------------------
// Text beyond ASCII

TEST_F(RegistryContract, NonAsciiNamesAndDataRoundTrip) {
    struct Case {
        const char* key;
        const char* value;
        const char* data;
    };
    const Case table[] = {
        {"Grüße", "Größe", "Äpfel über Öl, ß"},
        {"Ключ", "Значение", "Привет, мир"},
        {"日本", "名前", "日本語のテキスト"},
        {"Emoji 😀", "Val 😀", "data 😀 with a surrogate pair"},
    };
    TRegistry reg(registry());
    for (const auto& c : table) {
        SCOPED_TRACE(c.key);
        ASSERT_TRUE(reg.OpenKey(abs(std::string("Intl\\") + c.key), true));
        ASSERT_TRUE(reg.WriteString(c.value, c.data));
        reg.CloseKey();
        ASSERT_TRUE(reg.OpenKeyReadOnly(abs(std::string("Intl\\") + c.key)));
        EXPECT_EQ(reg.GetValueNames(), std::vector<std::string>{c.value});
        EXPECT_EQ(reg.ReadString(c.value), c.data);
        const auto rawValue = reg.ReadRaw(c.value);
        ASSERT_TRUE(rawValue.has_value());
        EXPECT_EQ(rawValue->data, platform::Utf8ToRegBytes(c.data));
    }
    ASSERT_TRUE(reg.OpenKeyReadOnly(abs("Intl")));
    const auto names = reg.GetKeyNames();
    ASSERT_EQ(names.size(), 4u);
    for (const auto& c : table) EXPECT_NE(std::find(names.begin(), names.end(), c.key), names.end()) << c.key;

    // Case is ignored beyond ASCII too.
    EXPECT_TRUE(reg.KeyExists(abs("Intl\\КЛЮЧ")));
    EXPECT_TRUE(reg.KeyExists(abs("Intl\\GRÜßE")));
    ASSERT_TRUE(reg.OpenKeyReadOnly(abs("Intl\\ключ")));
    EXPECT_EQ(reg.ReadString("ЗНАЧЕНИЕ"), "Привет, мир");
}

// ---------------------------------------------------------------------------------------------
// Raw data

TEST_F(RegistryContract, RawBytesOfEveryTypeRoundTripExactly) {
    std::vector<uint8_t> long300;
    for (int i = 0; i < 149; ++i) {
        long300.push_back(static_cast<uint8_t>('a' + i % 26));
        long300.push_back(0);
    }
    long300.push_back(0);
    long300.push_back(0);
    ASSERT_EQ(long300.size(), 300u);
    std::vector<uint8_t> big(100000);
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 7 + 3);

    struct Case {
        const char* name;
        RawValue value;
    };
    const Case table[] = {
        {"multi", {platform::kRegMultiSz, platform::MultiStringToRegBytes({"one", "two", "Grüße"})}},
        {"multi empty", {platform::kRegMultiSz, Bytes({0, 0})}},
        {"qword", {platform::kRegQword, Bytes({0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01})}},
        {"binary with zeros", {platform::kRegBinary, Bytes({0, 0, 1, 0, 0, 0, 255, 0})}},
        {"binary empty", {platform::kRegBinary, {}}},
        {"binary 100000 bytes", {platform::kRegBinary, big}},
        {"string of 300 bytes", {platform::kRegSz, long300}},
        {"string without terminator", {platform::kRegSz, Utf16Bytes(u"abc", false)}},
        {"string with inner NUL", {platform::kRegSz, Utf16Bytes(std::u16string(u"ab\0cd", 5), true)}},
        {"expandable string", {platform::kRegExpandSz, Utf16Bytes(u"%TEMP%\\x", true)}},
        {"none with data", {platform::kRegNone, Bytes({1, 2, 3})}},
        {"none empty", {platform::kRegNone, {}}},
        {"dword", {platform::kRegDword, Bytes({0x78, 0x56, 0x34, 0x12})}},
        {"big-endian dword", {platform::kRegDwordBigEndian, Bytes({0x12, 0x34, 0x56, 0x78})}},
        {"resource list", {platform::kRegResourceList, Bytes({1, 0, 0, 0, 9, 9})}},
        {"type 0x42", {0x42, Bytes({4, 2})}},
    };
    auto key = openRaw("Raw", true, true);
    ASSERT_NE(key, nullptr);
    for (const auto& c : table) ASSERT_TRUE(key->setValue(c.name, c.value)) << c.name;

    auto reader = openRaw("Raw", false, false);
    ASSERT_NE(reader, nullptr);
    std::vector<std::string> expectedNames;
    for (const auto& c : table) {
        SCOPED_TRACE(c.name);
        expectedNames.emplace_back(c.name);
        const auto v = reader->queryValue(c.name);
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(v->type, c.value.type);
        EXPECT_EQ(v->data, c.value.data);
    }
    auto names = reader->valueNames();
    std::sort(names.begin(), names.end());
    std::sort(expectedNames.begin(), expectedNames.end());
    EXPECT_EQ(names, expectedNames);

    // The accessor sees the same bytes.
    TRegistry reg(registry());
    ASSERT_TRUE(reg.OpenKeyReadOnly(abs("Raw")));
    for (const auto& c : table) EXPECT_EQ(reg.ReadRaw(c.name), c.value) << c.name;
    EXPECT_EQ(reg.GetDataSize("string of 300 bytes"), 300u);
    EXPECT_EQ(reg.ReadString("string of 300 bytes").size(), 149u);
    EXPECT_EQ(reg.ReadString("string without terminator"), "abc");
    EXPECT_EQ(reg.ReadString("string with inner NUL"), "ab");
}

// ---------------------------------------------------------------------------------------------
// Links

TEST_F(RegistryContract, DeletingAKeyNeverFollowsARegistryLink) {
    const std::string target = raw("LinkTarget");
    {
        TRegistry reg(registry());
        ASSERT_TRUE(reg.OpenKey(abs("LinkTarget\\Child"), true));
        ASSERT_TRUE(reg.WriteString("precious", "keep me"));
        ASSERT_TRUE(reg.OpenKey(abs("LinkTarget"), false));
        ASSERT_TRUE(reg.WriteInteger("alsoKept", 1));
        ASSERT_TRUE(reg.OpenKey(abs("Holder"), true));
    }
    if (!env_->canCreateLink(raw("Link"), target) || !env_->canCreateLink(raw("Holder\\Link"), target))
        GTEST_SKIP() << "this backend cannot make registry links in the scratch key";

    TRegistry reg(registry());
    // Opening goes through the link.
    ASSERT_TRUE(reg.OpenKeyReadOnly(abs("Link")));
    EXPECT_EQ(reg.ReadInteger("alsoKept"), 1);
    EXPECT_TRUE(reg.KeyExists(abs("Link\\Child")));
    reg.CloseKey();

    // Deleting the link itself removes only the link.
    EXPECT_TRUE(reg.DeleteKey(abs("Link")));
    EXPECT_FALSE(reg.KeyExists(abs("Link")));
    ASSERT_TRUE(reg.OpenKeyReadOnly(abs("LinkTarget\\Child")));
    EXPECT_EQ(reg.ReadString("precious"), "keep me");

    // Deleting a key that holds a link removes the holder and the link, never the target.
    EXPECT_TRUE(reg.DeleteKey(abs("Holder")));
    EXPECT_FALSE(reg.KeyExists(abs("Holder")));
    ASSERT_TRUE(reg.OpenKeyReadOnly(abs("LinkTarget")));
    EXPECT_EQ(reg.ReadInteger("alsoKept"), 1);
    EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"Child"});
    ASSERT_TRUE(reg.OpenKeyReadOnly(abs("LinkTarget\\Child")));
    EXPECT_EQ(reg.ReadString("precious"), "keep me");
}

TEST_F(RegistryContract, AWalkOpensChildrenButNeverALink) {
    {
        TRegistry reg(registry());
        ASSERT_TRUE(reg.OpenKey(abs("Walk\\Plain\\Below"), true));
        ASSERT_TRUE(reg.OpenKey(abs("Walk\\Plain"), false));
        ASSERT_TRUE(reg.WriteInteger("seen", 7));
    }
    std::unique_ptr<platform::RegKey> walk =
        registry().open(platform::RootKey::CurrentUser, raw("Walk"), false, false);
    ASSERT_TRUE(walk);
    std::unique_ptr<platform::RegKey> plain = walk->openChildForWalk("Plain");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->subkeyNames(), std::vector<std::string>{"Below"});
    ASSERT_TRUE(plain->queryValue("seen"));
    EXPECT_FALSE(walk->openChildForWalk("Missing"));
    EXPECT_FALSE(walk->openChildForWalk("Plain\\Below")) << "one level only";
    EXPECT_FALSE(walk->openChildForWalk(""));

    // A link loop (a key linking back to its parent) is listed but never entered.
    if (!env_->canCreateLink(raw("Walk\\Loop"), raw("Walk")))
        GTEST_SKIP() << "this backend cannot make registry links in the scratch key";
    EXPECT_EQ(walk->subkeyNames(), (std::vector<std::string>{"Loop", "Plain"}));
    EXPECT_FALSE(walk->openChildForWalk("Loop"));
    EXPECT_TRUE(walk->openChildForWalk("plain")) << "names ignore case";
}

}  // namespace
}  // namespace trenmoor::testing
