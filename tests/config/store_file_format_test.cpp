// The .reg text of a hive: what is written reads back the same, files written
// by the registry editor are understood, and damage costs only the damaged lines.

#include <gtest/gtest.h>

#include <memory>

#include "config/reg_file_format.h"

namespace pebble {
namespace {

constexpr std::string_view kKey = "HKEY_CURRENT_USER\\SOFTWARE\\Varnex-Soft\\Pebbledrome";

RegValue Other(std::uint32_t type, std::vector<std::uint8_t> data) {
  RegValue v;
  v.type = type;
  v.data = std::move(data);
  return v;
}

TEST(RegFileFormat, EveryKindOfValueSurvivesWritingAndReading) {
  std::vector<std::uint8_t> long_bytes(100);
  for (std::size_t i = 0; i < long_bytes.size(); ++i) long_bytes[i] = static_cast<std::uint8_t>(i * 7);
  const std::vector<std::pair<std::string, RegValue>> values = {
      {"Name", RegValue::String("Jörg \"der Große\" C:\\Spiele\\")},
      {"Stein Höhe", RegValue::Dword(21)},
      {"Negativ", RegValue::Dword(0xFFFFFFFF)},
      {"Leer", RegValue::String("")},
      {"Zeilen", RegValue::String("eins\r\nzwei\ttab")},
      {"Emoji", RegValue::String("\xF0\x9F\x8E\xB2")},
      {"Bytes", RegValue::Binary({0x00, 0x01, 0xFE, 0xFF})},
      {"Lang", RegValue::Binary(long_bytes)},
      {"Nichts", RegValue::Binary({})},
      {"Mehrfach", Other(kRegMultiSz, {'a', 0, 0, 0, 0, 0})},
      {"", RegValue::String("Standardwert")},
  };
  RegTree tree;
  RegKey& key = tree.Create(kKey);
  for (const auto& [name, value] : values) key.SetValue(name, value);
  tree.Create(std::string(kKey) + "\\Leerer Schlüssel");

  const std::string text = WriteRegFile(tree);
  const auto parsed = ParseRegFile(text);
  ASSERT_TRUE(parsed.clean) << "line " << parsed.firstBadLine << "\n" << text;
  const RegKey* read = parsed.tree.Find(kKey);
  ASSERT_NE(read, nullptr);
  for (const auto& [name, value] : values) {
    const RegValue* got = read->FindValue(name);
    ASSERT_NE(got, nullptr) << name;
    EXPECT_EQ(*got, value) << name;
  }
  EXPECT_NE(parsed.tree.Find(std::string(kKey) + "\\Leerer Schlüssel"), nullptr);
  EXPECT_EQ(WriteRegFile(parsed.tree), text);
}

TEST(RegFileFormat, WritesTheRegistryEditorsLayout) {
  RegTree tree;
  tree.Create(std::string(kKey) + "\\Konfiguration").SetValue("Stein Höhe", RegValue::Dword(21));
  tree.Create(kKey).SetValue("Name", RegValue::String("a\"b\\c"));
  EXPECT_EQ(WriteRegFile(tree),
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_CURRENT_USER\\SOFTWARE\\Varnex-Soft\\Pebbledrome]\n"
            "\"Name\"=\"a\\\"b\\\\c\"\n\n"
            "[HKEY_CURRENT_USER\\SOFTWARE\\Varnex-Soft\\Pebbledrome\\Konfiguration]\n"
            "\"Stein Höhe\"=dword:00000015\n\n");
}

TEST(RegFileFormat, ReadsWhatTheRegistryEditorExports) {
  const std::string text =
      "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
      "; a comment\r\n"
      "[HKEY_CURRENT_USER\\SOFTWARE\\Varnex-Soft\\Pebbledrome\\Stats]\r\n"
      "\"Spiele\"=dword:0000002A\r\n"
      "\"Tabelle\"=hex:01,02,03,\\\r\n"
      "  04,05\r\n"
      "@=\"x\"\r\n"
      "\"Pfad\"=hex(2):25,00,41,00,00,00\r\n"
      "\"Text\"=hex(1):48,00,e4,00,00,00\r\n";
  const auto parsed = ParseRegFile(text);
  ASSERT_TRUE(parsed.clean) << parsed.firstBadLine;
  const RegKey* key = parsed.tree.Find("HKEY_CURRENT_USER\\SOFTWARE\\Varnex-Soft\\Pebbledrome\\Stats");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->FindValue("spiele")->AsDword(), 42u);  // names ignore letter case
  EXPECT_EQ(*key->FindValue("Tabelle"), RegValue::Binary({1, 2, 3, 4, 5}));
  EXPECT_EQ(key->FindValue("")->AsString(), "x");
  EXPECT_EQ(key->FindValue("Pfad")->type, static_cast<std::uint32_t>(kRegExpandSz));
  EXPECT_EQ(key->FindValue("Text")->AsString(), "H\xC3\xA4");
  EXPECT_TRUE(ParseRegFile("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:1\n").clean);
}

TEST(RegFileFormat, ADamagedLineCostsOnlyItself) {
  struct Case {
    const char* line;
  };
  const Case damaged[] = {
      {"\"Kaputt\"=dword:123456789"},  // nine digits
      {"\"Kaputt\"=dword:xyz"},
      {"\"Kaputt\"=hex:0g,01"},
      {"\"Kaputt\"=hex:01,"},
      {"\"Kaputt\"=\"unterminated"},
      {"\"Kaputt\"=\"a\" trailing"},
      {"\"Kaputt\"=-"},
      {"\"Kaputt\""},
      {"garbage"},
      {"\"Kaputt=dword:1"},
  };
  for (const auto& c : damaged) {
    const std::string text = std::string("Windows Registry Editor Version 5.00\n\n[") + std::string(kKey) +
                             "]\n\"Vorher\"=dword:1\n" + c.line + "\n\"Nachher\"=dword:2\n";
    const auto parsed = ParseRegFile(text);
    EXPECT_FALSE(parsed.clean) << c.line;
    EXPECT_EQ(parsed.firstBadLine, 5) << c.line;
    const RegKey* key = parsed.tree.Find(kKey);
    ASSERT_NE(key, nullptr) << c.line;
    EXPECT_EQ(key->FindValue("Vorher")->AsDword(), 1u) << c.line;
    EXPECT_EQ(key->FindValue("Nachher")->AsDword(), 2u) << c.line;
    EXPECT_EQ(key->FindValue("Kaputt"), nullptr) << c.line;
  }
}

TEST(RegFileFormat, ValuesBelowADamagedKeyLineAreSkipped) {
  const auto parsed = ParseRegFile(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_CURRENT_USER\\A]\n\"a\"=dword:1\n"
      "[HKEY_CURRENT_USER\\B\n\"b\"=dword:2\n"
      "[-HKEY_CURRENT_USER\\C]\n\"c\"=dword:3\n"
      "[HKEY_CURRENT_USER\\D]\n\"d\"=dword:4\n");
  EXPECT_FALSE(parsed.clean);
  EXPECT_EQ(parsed.firstBadLine, 4);
  EXPECT_NE(parsed.tree.Find("HKEY_CURRENT_USER\\A")->FindValue("a"), nullptr);
  EXPECT_EQ(parsed.tree.Find("HKEY_CURRENT_USER\\B"), nullptr);
  EXPECT_EQ(parsed.tree.Find("HKEY_CURRENT_USER\\C"), nullptr);
  EXPECT_NE(parsed.tree.Find("HKEY_CURRENT_USER\\D")->FindValue("d"), nullptr);
}

TEST(RegFileFormat, TextWithoutTheHeaderIsNotASettingsFile) {
  for (std::string_view text : {std::string_view("[HKEY_CURRENT_USER\\A]\n\"a\"=dword:1\n"),
                                std::string_view("\x00\x01\x02garbage", 10)}) {
    const auto parsed = ParseRegFile(text);
    EXPECT_FALSE(parsed.clean);
    EXPECT_TRUE(parsed.tree.Empty());
  }
  const auto empty = ParseRegFile("");
  EXPECT_TRUE(empty.clean);  // an empty file holds nothing, and nothing is lost
  EXPECT_TRUE(empty.tree.Empty());
}

std::string KeyLine(std::size_t depth) {
  std::string path = "HKEY_CURRENT_USER";
  for (std::size_t i = 1; i < depth; ++i) path += "\\k";
  return "[" + path + "]\n\"v\"=dword:1\n";
}

// The registry nests keys 512 levels deep at most; a deeper key line is damage
// like any other, and no nesting a file can hold exhausts the stack.
TEST(RegFileFormat, KeysNestedDeeperThanTheRegistryAllowsAreDamage) {
  const std::string header = "Windows Registry Editor Version 5.00\n\n";
  const auto deepest = ParseRegFile(header + KeyLine(kMaxRegKeyDepth));
  EXPECT_TRUE(deepest.clean);
  EXPECT_EQ(ParseRegFile(WriteRegFile(deepest.tree)).clean, true);
  for (const std::size_t depth : {kMaxRegKeyDepth + 1, std::size_t{100000}}) {
    const auto parsed = ParseRegFile(header + "[HKEY_CURRENT_USER\\A]\n\"a\"=dword:1\n" + KeyLine(depth));
    EXPECT_FALSE(parsed.clean) << depth;
    EXPECT_EQ(parsed.firstBadLine, 5) << depth;
    EXPECT_EQ(WriteRegFile(parsed.tree), header + "[HKEY_CURRENT_USER\\A]\n\"a\"=dword:00000001\n\n") << depth;
  }
}

TEST(RegFileFormat, ATreeOfAnyDepthIsWrittenAndFreedWithoutRecursion) {
  auto tree = std::make_unique<RegTree>();
  RegKey* key = &tree->Create("HKEY_CURRENT_USER");
  for (int i = 0; i < 300000; ++i) key = &key->CreateSubkey("k");
  key->SetValue("v", RegValue::Dword(1));
  const std::string text = WriteRegFile(*tree);
  EXPECT_TRUE(text.ends_with("\\k\\k]\n\"v\"=dword:00000001\n\n"));
  tree.reset();
  RegTree moved;
  moved.Create("HKEY_CURRENT_USER\\A\\B");
  RegTree other;
  other.Create("HKEY_CURRENT_USER\\C");
  moved = std::move(other);
  EXPECT_EQ(moved.Find("HKEY_CURRENT_USER\\A"), nullptr);
  EXPECT_NE(moved.Find("HKEY_CURRENT_USER\\C"), nullptr);
}

TEST(RegFileFormat, ValuesOfOneKeyAreFoundByNameInTheOrderWritten) {
  constexpr int kValues = 100000;
  std::string text = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\A]\n";
  for (int i = 0; i < kValues; ++i) text += "\"Wert" + std::to_string(i) + "\"=dword:" + std::to_string(i % 10) + "\n";
  auto parsed = ParseRegFile(text);
  ASSERT_TRUE(parsed.clean);
  RegKey& key = *parsed.tree.Find("HKEY_CURRENT_USER\\A");
  ASSERT_EQ(key.Values().size(), static_cast<std::size_t>(kValues));
  EXPECT_EQ(key.FindValue("WERT99999")->AsDword(), 9u) << "names compare without regard to case";
  EXPECT_TRUE(key.EraseValue("wert5"));
  EXPECT_EQ(key.FindValue("Wert5"), nullptr);
  EXPECT_EQ(key.FindValue("Wert6")->AsDword(), 6u);
  key.SetValue("wert6", RegValue::Dword(60));
  key.SetValue("Neu", RegValue::Dword(7));
  EXPECT_EQ(key.Values()[5].first, "Wert6");
  EXPECT_EQ(key.Values()[5].second.AsDword(), 60u);
  EXPECT_EQ(key.Values().back().first, "Neu");
  EXPECT_EQ(key.Values().size(), static_cast<std::size_t>(kValues));
}

// The settings file is rewritten at every start: whatever a text was read as,
// it must be read as the same text after every rewrite.
TEST(RegFileFormat, TextsSurviveAnyNumberOfRewritesUnchanged) {
  struct Case {
    const char* what;
    std::string data;      // after "n"=
    std::string expected;  // the text as read, and as read after every rewrite
  } cases[] = {
      {"a NUL inside quotes", std::string("\"a\0b\"", 5), std::string("a\0b", 3)},
      {"a NUL at the end", std::string("\"a\0\"", 4), std::string("a\0", 2)},
      {"a tab", "\"a\tb\"", "a\tb"},
      {"broken UTF-8 beside a tab", "\"\xC0\x80\t\xED\xA0\x80\xFF\"", "\xEF\xBF\xBD\t\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"UTF-16 with its terminator", "hex(1):41,00,00,00", "A"},
      {"UTF-16 without a terminator", "hex(1):41,00", "A"},
      {"UTF-16 with two terminators", "hex(1):41,00,00,00,00,00", std::string("A\0", 2)},
      {"UTF-16 with a NUL inside", "hex(1):41,00,00,00,42,00,00,00", std::string("A\0B", 3)},
  };
  for (const Case& c : cases) {
    std::string text = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\A]\n\"n\"=" + c.data + "\n";
    for (int round = 0; round < 3; ++round) {
      const auto parsed = ParseRegFile(text);
      ASSERT_TRUE(parsed.clean) << c.what << " round " << round;
      EXPECT_EQ(parsed.tree.Find("HKEY_CURRENT_USER\\A")->FindValue("n")->AsString(), c.expected)
          << c.what << " round " << round;
      text = WriteRegFile(parsed.tree);
    }
  }
}

}  // namespace
}  // namespace pebble
