#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "inifile.h"

namespace {

struct LookupCase {
    const char* name;
    const char* text;
    const char* section;
    const char* key;
    std::optional<std::string> value;
};

const LookupCase kLookupCases[] = {
    { "plain", "[General]\nTopmost=1\n", "General", "Topmost", "1" },
    { "blanks around name and value", "[General]\n  Topmost  =   12  \n", "General", "Topmost", "12" },
    { "blanks inside the section line", "[ General ]\nA=1\n", "General", "A", "1" },
    { "names ignore case", "[gEnErAl]\nTOPMOST=3\n", "General", "Topmost", "3" },
    { "empty value", "[General]\nTopmost=\n", "General", "Topmost", "" },
    { "line without equals sign", "[General]\nTopmost\n", "General", "Topmost", "" },
    { "value keeps later equals signs", "[General]\nA= x=y \n", "General", "A", "x=y" },
    { "quoted value", "[General]\nA=\" 5 \"\n", "General", "A", " 5 " },
    { "unmatched quote stays", "[General]\nA='5\n", "General", "A", "'5" },
    { "first key wins", "[General]\nA=1\nA=2\n", "General", "A", "1" },
    { "first section wins", "[General]\nB=1\n[General]\nA=2\n", "General", "A", std::nullopt },
    { "key in another section", "[List]\nA=1\n[General]\n", "General", "A", std::nullopt },
    { "key before any section", "A=1\n[General]\n", "General", "A", std::nullopt },
    { "missing section", "[List]\nA=1\n", "General", "A", std::nullopt },
    { "comment is no key", "[General]\n;A=1\n", "General", "A", std::nullopt },
    { "CR LF line ends", "[General]\r\nA=7\r\nB=8\r\n", "General", "B", "8" },
    { "last line without line end", "[General]\nA=9", "General", "A", "9" },
    { "unclosed section line starts no section", "[General]\n[List\nA=1\n", "General", "A", "1" },
    { "text after the section name", "[General] ; main\nA=4\n", "General", "A", "4" },
    { "byte order mark", "\xEF\xBB\xBF[General]\nA=5\n", "General", "A", "5" },
    { "key names with brackets", "[List]\nWidth<-1>=200\n", "List", "width<-1>", "200" },
    { "empty file", "", "General", "A", std::nullopt },
};

TEST(IniFile, LookupFollowsPrivateProfileRules)
{
    for (const LookupCase& c : kLookupCases) {
        const IniFile ini(c.text);
        EXPECT_EQ(ini.value(c.section, c.key), c.value) << c.name;
    }
}

TEST(IniFile, SetValueReplacesTheFirstKeyInPlaceAndKeepsEverythingElse)
{
    IniFile ini("; made by hand\n[General]\nOther = x\ntopmost = 0\nTopmost=5\n\n[Extra]\nK=v\n");
    ini.setValue("General", "Topmost", "1");
    EXPECT_EQ(ini.text(), "; made by hand\n[General]\nOther = x\nTopmost=1\nTopmost=5\n\n[Extra]\nK=v\n");
}

TEST(IniFile, SetValueAddsAKeyAfterTheLastKeyOfItsSection)
{
    IniFile ini("[General]\nA=1\n\n[List]\nB=2\n");
    ini.setValue("general", "C", "3");
    EXPECT_EQ(ini.text(), "[General]\nA=1\nC=3\n\n[List]\nB=2\n");
}

TEST(IniFile, SetValueAddsAMissingSectionAtTheEnd)
{
    IniFile ini;
    ini.setValue("General", "A", "1");
    ini.setValue("List", "Width<0>", "2");
    ini.setValue("General", "B", "3");
    EXPECT_EQ(ini.text(), "[General]\nA=1\nB=3\n[List]\nWidth<0>=2\n");
}

TEST(IniFile, WritingKeepsLineEndsAndByteOrderMark)
{
    IniFile ini("\xEF\xBB\xBF[General]\r\nA=1\r\nB=2");
    ini.setValue("General", "A", "9");
    EXPECT_EQ(ini.text(), "\xEF\xBB\xBF[General]\r\nA=9\r\nB=2\r\n");
}

TEST(IniFile, BinaryGarbageIsReadWithoutHarm)
{
    std::string text;
    for (int i = 0; i < 4096; ++i)
        text.push_back(static_cast<char>((i * 7919 + 13) % 256));
    text += "\n[General]\nA=1\n";
    IniFile ini(text);
    EXPECT_EQ(ini.value("General", "A"), "1");
    ini.setValue("General", "A", "2");
    EXPECT_EQ(IniFile(ini.text()).value("General", "A"), "2");
}

} // namespace
