#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <string>

#include "filetext.h"
#include "profilekeys.h"
#include "settingspath.h"
#include "settingsrecord.h"

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    std::string path(const char* name = "sprelin.ini") const { return dir.filePath(name).toStdString(); }

    QTemporaryDir dir;
};

// A record whose every persistent field differs from the values before reading and from the
// others, doubles with at most six significant digits.
SettingsRecord distinctRecord()
{
    SettingsRecord r;
    r.Topmost = 1;
    r.Filter = 0;
    for (int32_t n = 0; n < 5; ++n)
        r.columnWidth[n] = 40 + n;
    r.listWidth = 321;
    r.MX = 1000.0;
    r.Left = -1200;
    r.Top = 35;
    r.Right = -200;
    r.Bottom = 835;
    r.AutoX = 0;
    r.AutoY = 0;
    r.MinX = 0.25;
    r.MaxX = 12345.6;
    r.dX = 1.5e-05;
    r.MinY = -40.5;
    r.MaxY = 2.5e+07;
    r.dY = 3.0;
    r.Units = 0;
    r.S11m = 1;
    r.S12m = 2;
    r.S21m = 0;
    r.S22m = 3;
    r.S11a = 4;
    r.S12a = 5;
    r.S21a = 6;
    r.S22a = 7;
    r.Language = 0;
    r.PhaseMode = 2;
    r.DelayAperture = 7;
    r.Markers[0] = 2.4e9;
    r.Markers[2] = 2412345678.5;
    r.Markers[15] = 0;
    r.DeltaRef = 3;
    return r;
}

// Whether two marker frequencies are the same, a marker not set (NaN) included.
bool sameMarker(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

void expectSameFields(const SettingsRecord& a, const SettingsRecord& b)
{
    EXPECT_EQ(a.Topmost, b.Topmost);
    EXPECT_EQ(a.Filter, b.Filter);
    for (int32_t n = 0; n < 5; ++n)
        EXPECT_EQ(a.columnWidth[n], b.columnWidth[n]) << n;
    EXPECT_EQ(a.listWidth, b.listWidth);
    EXPECT_EQ(a.MX, b.MX);
    EXPECT_EQ(a.Left, b.Left);
    EXPECT_EQ(a.Top, b.Top);
    EXPECT_EQ(a.Right, b.Right);
    EXPECT_EQ(a.Bottom, b.Bottom);
    EXPECT_EQ(a.AutoX, b.AutoX);
    EXPECT_EQ(a.AutoY, b.AutoY);
    EXPECT_EQ(a.MinX, b.MinX);
    EXPECT_EQ(a.MaxX, b.MaxX);
    EXPECT_EQ(a.dX, b.dX);
    EXPECT_EQ(a.MinY, b.MinY);
    EXPECT_EQ(a.MaxY, b.MaxY);
    EXPECT_EQ(a.dY, b.dY);
    EXPECT_EQ(a.Units, b.Units);
    EXPECT_EQ(a.S11m, b.S11m);
    EXPECT_EQ(a.S12m, b.S12m);
    EXPECT_EQ(a.S21m, b.S21m);
    EXPECT_EQ(a.S22m, b.S22m);
    EXPECT_EQ(a.S11a, b.S11a);
    EXPECT_EQ(a.S12a, b.S12a);
    EXPECT_EQ(a.S21a, b.S21a);
    EXPECT_EQ(a.S22a, b.S22a);
    EXPECT_EQ(a.Language, b.Language);
    EXPECT_EQ(a.PhaseMode, b.PhaseMode);
    EXPECT_EQ(a.DelayAperture, b.DelayAperture);
    for (int32_t n = 0; n < markerSlots; ++n)
        EXPECT_PRED2(sameMarker, a.Markers[static_cast<size_t>(n)], b.Markers[static_cast<size_t>(n)]) << n;
    EXPECT_EQ(a.DeltaRef, b.DeltaRef);
}

// The record that a first start without a settings file ends up with.
SettingsRecord firstStartRecord()
{
    SettingsRecord r;
    r.listWidth = 170;
    r.MX = 1000000.0;
    return r;
}

// The file that a first start writes: the General keys in the order of writing, then List,
// which the first write to it appends after General.
const char* const kFirstStartFile = "[General]\n"
                                    "Topmost=0\n"
                                    "Filter=1\n"
                                    "Left=0\n"
                                    "Right=0\n"
                                    "Top=0\n"
                                    "Bottom=0\n"
                                    "MX=1e+06\n"
                                    "AutoX=1\n"
                                    "AutoY=1\n"
                                    "MinX=0\n"
                                    "MaxX=100\n"
                                    "dX=10\n"
                                    "MinY=0\n"
                                    "MaxY=100\n"
                                    "dY=10\n"
                                    "Units=1\n"
                                    "S11m=0\n"
                                    "S12m=0\n"
                                    "S21m=1\n"
                                    "S22m=0\n"
                                    "S11a=0\n"
                                    "S12a=0\n"
                                    "S21a=0\n"
                                    "S22a=0\n"
                                    "Language=1\n"
                                    "ChartKind=0\n"
                                    "AdmittanceGrid=0\n"
                                    "PhaseMode=0\n"
                                    "DelayAperture=5\n"
                                    "[List]\n"
                                    "Width<0>=0\n"
                                    "Width<1>=0\n"
                                    "Width<2>=0\n"
                                    "Width<3>=0\n"
                                    "Width<4>=0\n"
                                    "Width<-1>=170\n";

TEST(SettingsRecord, ProcessRecordIsOneAndStartsWithTheValuesBeforeReading)
{
    SettingsRecord& record = processSettings();
    EXPECT_EQ(&record, &processSettings());
    expectSameFields(record, SettingsRecord());
    EXPECT_TRUE(record.settingsPath.empty());
}

TEST(SettingsRecord, WidthKeysAreNumberedInAngleBrackets)
{
    EXPECT_EQ(widthKey(0), "Width<0>");
    EXPECT_EQ(widthKey(4), "Width<4>");
    EXPECT_EQ(widthKey(-1), "Width<-1>");
}

TEST_F(SettingsFileTest, FirstStartReadsTheDefaultsAndWritesEveryKey)
{
    SettingsRecord record;
    readSettings(record, path());
    expectSameFields(record, firstStartRecord());
    ASSERT_TRUE(writeSettings(record, path()));
    EXPECT_EQ(readAll(path()), kFirstStartFile);
}

TEST_F(SettingsFileTest, MissingKeysKeepCurrentValuesExceptTheFixedDefaults)
{
    SettingsRecord record = distinctRecord();
    writeAll(path(), "[General]\nUnrelated=1\n");
    readSettings(record, path());
    SettingsRecord expected = distinctRecord();
    for (int32_t& w : expected.columnWidth)
        w = 0;
    expected.listWidth = 170;
    expected.MX = 1000000.0;
    expected.Left = expected.Top = expected.Right = expected.Bottom = 0;
    expectSameFields(record, expected);
}

TEST_F(SettingsFileTest, RoundTripGivesBackEveryField)
{
    const SettingsRecord written = distinctRecord();
    ASSERT_TRUE(writeSettings(written, path()));
    SettingsRecord read;
    readSettings(read, path());
    expectSameFields(read, written);
}

TEST_F(SettingsFileTest, DoublesSurviveToSixSignificantDigits)
{
    SettingsRecord record;
    record.MinX = 12.345678;
    record.MaxY = -0.000123456789;
    ASSERT_TRUE(writeSettings(record, path()));
    EXPECT_EQ(readDoubleKey("MinX", -1.0, path()), 12.3457);
    EXPECT_EQ(readDoubleKey("MaxY", -1.0, path()), -0.000123457);
}

TEST_F(SettingsFileTest, PresentKeysWithoutANumberReadAsZero)
{
    writeAll(path(), "[General]\nTopmost=yes\nFilter=\nAutoX= 1\nMinX=abc\nMaxX=\n[List]\nWidth<-1>=\n");
    SettingsRecord record;
    record.Topmost = 5;
    readSettings(record, path());
    EXPECT_EQ(record.Topmost, 0);
    EXPECT_EQ(record.Filter, 0);
    EXPECT_EQ(record.AutoX, 1);
    EXPECT_EQ(record.MinX, 0.0);
    EXPECT_EQ(record.MaxX, 0.0);
    EXPECT_EQ(record.listWidth, 0);
}

TEST_F(SettingsFileTest, ListWidthMissingReadsAs170)
{
    writeAll(path(), "[List]\nWidth<0>=55\n");
    SettingsRecord record;
    ASSERT_EQ(record.listWidth, 0);
    readSettings(record, path());
    EXPECT_EQ(record.listWidth, 170);
    EXPECT_EQ(record.columnWidth[0], 55);
}

struct KeyCase {
    const char* name;
    const char* file;
    int32_t value;
};

// readIntKey("General", "Left", -7, ...) on each file.
const KeyCase kIntKeyCases[] = {
    { "missing file", nullptr, -7 },
    { "missing section", "[List]\nLeft=3\n", -7 },
    { "missing key", "[General]\nTop=3\n", -7 },
    { "blanks around", "[General]\n  Left =  12  \n", 12 },
    { "trailing junk", "[General]\nLeft=12abc\n", 12 },
    { "negative", "[General]\nLeft=-1280\n", -1280 },
    { "empty value", "[General]\nLeft=\n", 0 },
    { "first duplicate wins", "[General]\nLeft=1\nLeft=2\n", 1 },
    { "case of names", "[GENERAL]\nleft=4\n", 4 },
    { "CR LF", "[General]\r\nTop=1\r\nLeft=5\r\n", 5 },
    { "commented out", "[General]\n;Left=6\n", -7 },
    { "quoted", "[General]\nLeft=\"8\"\n", 8 },
    { "decimal comma", "[General]\nLeft=1,5\n", 1 },
};

TEST_F(SettingsFileTest, IntKeysFollowPrivateProfileRules)
{
    for (const KeyCase& c : kIntKeyCases) {
        const std::string file = path(c.name);
        if (c.file)
            writeAll(file, c.file);
        EXPECT_EQ(readIntKey("General", "Left", -7, file), c.value) << c.name;
    }
}

TEST_F(SettingsFileTest, DoubleKeysAreReadFromGeneralOnly)
{
    writeAll(path(), "[List]\nMX=5\n[General]\nMinX= 2.5e3 Hz\nMaxX=1,5\n");
    EXPECT_EQ(readDoubleKey("MX", 1000.0, path()), 1000.0);
    EXPECT_EQ(readDoubleKey("MinX", 0.0, path()), 2500.0);
    EXPECT_EQ(readDoubleKey("MaxX", 0.0, path()), 1.0);
}

TEST_F(SettingsFileTest, MissingKeyDefaultPassesThroughItsText)
{
    EXPECT_EQ(readDoubleKey("MinX", 1.23456789, path()), 1.23457);
    EXPECT_EQ(readIntKey("List", "Width<2>", -3, path()), -3);
}

TEST_F(SettingsFileTest, LongValuesAreCutToTheValueBuffer)
{
    // 254 characters are read: "0.", 251 zeros and the first digit one; the second one is cut.
    const std::string value = "0." + std::string(251, '0') + "11";
    writeAll(path(), "[General]\nMinX=" + value + "\n");
    EXPECT_EQ(readDoubleKey("MinX", 5.0, path()), 1e-252);
}

TEST_F(SettingsFileTest, WritingKeepsUnknownSectionsKeysAndComments)
{
    writeAll(path(),
        "; settings of the "
        "viewer\n[Extra]\nColour=red\n[General]\nTopmost=1\nLater=keep\n\n[List]\nWidth<9>=9\n");
    SettingsRecord record;
    record.Topmost = 0;
    ASSERT_TRUE(writeSettings(record, path()));
    const std::string text = readAll(path());
    EXPECT_EQ(
        text.rfind(
            "; settings of the viewer\n[Extra]\nColour=red\n[General]\nTopmost=0\nLater=keep\nFilter=1\n", 0),
        0u)
        << text;
    EXPECT_NE(text.find("\n\n[List]\nWidth<9>=9\nWidth<0>=0\n"), std::string::npos) << text;
    EXPECT_EQ(readIntKey("General", "Topmost", 7, path()), 0);
}

TEST_F(SettingsFileTest, DecimalCommaLocaleChangesNeitherWritingNorReading)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    const SettingsRecord written = distinctRecord();
    const bool ok = writeSettings(written, path());
    SettingsRecord read;
    readSettings(read, path());
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_TRUE(ok);
    expectSameFields(read, written);
    const std::string text = readAll(path());
    EXPECT_NE(text.find("\nMinX=0.25\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nMaxX=12345.6\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\ndX=1.5e-05\n"), std::string::npos) << text;
}

TEST_F(SettingsFileTest, UnreadableFilesGiveTheDefaults)
{
    std::string garbage;
    for (int i = 0; i < 100000; ++i)
        garbage.push_back(static_cast<char>((i * 31 + i / 7) % 256));
    writeAll(path("garbage.ini"), garbage);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));
    for (const char* name : { "garbage.ini", "folder.ini", "missing.ini" }) {
        SettingsRecord record;
        readSettings(record, path(name));
        expectSameFields(record, firstStartRecord());
    }
}

TEST(SettingsPath, ExecutableBaseNameInTheFolder)
{
    EXPECT_EQ(settingsFilePath("/home/u/.config", "/usr/bin/sprelin"), "/home/u/.config/sprelin.ini");
    EXPECT_EQ(settingsFilePath("/cfg", "/opt/Sprelin.exe"), "/cfg/Sprelin.ini");
    EXPECT_EQ(settingsFilePath("/cfg", "/opt/viewer.1.7.bin"), "/cfg/viewer.1.7.ini");
    EXPECT_EQ(settingsFilePath("", "/usr/bin/sprelin"), "");
    EXPECT_EQ(settingsFilePath("/cfg", ""), "");
}

TEST(SettingsPath, DefaultIsInTheGenericConfigFolderAndNeverCutShort)
{
    QStandardPaths::setTestModeEnabled(true);
    const std::string folder
        = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(defaultSettingsPath(), folder + "/settings_test.ini");

    SettingsRecord record;
    resolveSettingsPath(record);
    EXPECT_EQ(record.settingsPath, defaultSettingsPath());

    const std::string given = "/" + std::string(300, 'd') + "/own.ini";
    record.settingsPath = given;
    resolveSettingsPath(record);
    EXPECT_EQ(record.settingsPath, given);
}

TEST_F(SettingsFileTest, RecordPathIsResolvedOnceAndUsedForBoth)
{
    SettingsRecord record = distinctRecord();
    record.settingsPath = path("deep/er/own.ini");
    ASSERT_TRUE(writeSettings(record));
    SettingsRecord read;
    read.settingsPath = record.settingsPath;
    readSettings(read);
    expectSameFields(read, record);
}

TEST(SettingsRecord, EmptyPathReadsDefaultsAndWritesNothing)
{
    SettingsRecord record;
    readSettings(record, std::string());
    expectSameFields(record, firstStartRecord());
    EXPECT_FALSE(writeSettings(record, std::string()));
}

} // namespace

TEST_F(SettingsFileTest, LimitsPathIsKeptUntilTheLimitsAreClosed)
{
    SettingsRecord written;
    written.LimitsPath = "/masks/band pass #2.txt";
    ASSERT_TRUE(writeSettings(written, path()));
    SettingsRecord read;
    readSettings(read, path());
    EXPECT_EQ(read.LimitsPath, written.LimitsPath);

    written.LimitsPath.clear();
    ASSERT_TRUE(writeSettings(written, path()));
    SettingsRecord closed;
    closed.LimitsPath = "before reading";
    readSettings(closed, path());
    EXPECT_EQ(closed.LimitsPath, "");
}

TEST_F(SettingsFileTest, MarkersSectionIgnoresBadEntries)
{
    const double none = std::nan("");
    struct Case {
        const char* section;
        double m1;
        double m2;
        int32_t deltaRef;
    };
    const Case cases[] = {
        { "M1=2400000000\nM2=2412345678.5\nDeltaRef=2\n", 2.4e9, 2412345678.5, 2 },
        { "M1= 1e9 \nM2=+5\nDeltaRef=1\n", 1e9, 5, 1 },
        // Words, trailing text, decimal commas, negative, infinite and out-of-range numbers
        // are no frequencies; a reference to a marker not set is none.
        { "M1=abc\nM2=2400000000x\nDeltaRef=1\n", none, none, 0 },
        { "M1=2,4e9\nM2=-1\nDeltaRef=2\n", none, none, 0 },
        { "M1=inf\nM2=1e400\n", none, none, 0 },
        { "M1=\nM2=7\nDeltaRef=17\n", none, 7, 0 },
        { "M2=7\nDeltaRef=-2\n", none, 7, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        writeAll(path(), std::string("[Markers]\n") + c.section);
        SettingsRecord record;
        record.Markers.fill(1.0);
        record.DeltaRef = 5;
        readSettings(record, path());
        EXPECT_PRED2(sameMarker, record.Markers[0], c.m1);
        EXPECT_PRED2(sameMarker, record.Markers[1], c.m2);
        for (size_t n = 2; n < record.Markers.size(); ++n)
            EXPECT_TRUE(std::isnan(record.Markers[n])) << n;
        EXPECT_EQ(record.DeltaRef, c.deltaRef);
    }
}

TEST_F(SettingsFileTest, MarkersAreWrittenInHertzAndClearedMarkersLeaveTheFile)
{
    SettingsRecord record;
    ASSERT_TRUE(writeSettings(record, path()));
    EXPECT_EQ(readAll(path()).find("[Markers]"), std::string::npos);
    record.Markers[0] = 2.4e9;
    record.Markers[1] = 2412345678.5;
    record.DeltaRef = 1;
    ASSERT_TRUE(writeSettings(record, path()));
    EXPECT_NE(readAll(path()).find("[Markers]\nM1=2400000000\nM2=2412345678.5\nDeltaRef=1\n"), std::string::npos)
        << readAll(path());
    record.Markers[0] = std::nan("");
    record.DeltaRef = 0;
    ASSERT_TRUE(writeSettings(record, path()));
    EXPECT_NE(readAll(path()).find("[Markers]\nM2=2412345678.5\nDeltaRef=0\n"), std::string::npos)
        << readAll(path());
}
