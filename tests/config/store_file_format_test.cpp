// The .reg text of a hive: what is written reads back the same, files written
// by the registry editor are understood, and damage costs only the damaged lines.

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace pebble
