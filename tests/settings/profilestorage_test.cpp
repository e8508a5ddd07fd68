#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "filesizelimit.h"
#include "filetext.h"
#include "profilestorage.h"
#include "settingsrecord.h"

namespace {

const char* const kOldFile = "[General]\nTopmost=1\n; the old file\n";

class ProfileStorageTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }

    // The names in the folder, so that a left-over temporary file shows.
    QStringList entries(const char* sub = nullptr) const
    {
        QDir d(sub ? dir.filePath(sub) : dir.path());
        return d.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir dir;
};

TEST_F(ProfileStorageTest, SaveCreatesMissingFolders)
{
    const std::string file = path("a/b/sprelin.ini");
    IniFile ini;
    ini.setValue("General", "A", "1");
    ASSERT_TRUE(saveProfile(file, ini));
    EXPECT_EQ(readAll(file), "[General]\nA=1\n");
    EXPECT_EQ(loadProfile(file).value("General", "A"), "1");
}

TEST_F(ProfileStorageTest, FolderThatCannotBeMadeIsReported)
{
    writeAll(path("plain"), "not a folder");
    SettingsRecord record;
    EXPECT_FALSE(writeSettings(record, path("plain/sprelin.ini")));
    EXPECT_EQ(readAll(path("plain")), "not a folder");
}

TEST_F(ProfileStorageTest, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    const std::string file = path("sprelin.ini");
    writeAll(file, kOldFile);
    SettingsRecord record;
    bool written = true;
    {
        // Files may grow to no more than 16 bytes now, so the new text cannot be written whole.
        const FileSizeLimit limit(16);
        ASSERT_TRUE(limit.active());
        written = writeSettings(record, file);
    }

    EXPECT_FALSE(written);
    EXPECT_EQ(readAll(file), kOldFile);
    EXPECT_EQ(entries(), QStringList { "sprelin.ini" });
}

TEST_F(ProfileStorageTest, ReadOnlyFolderIsReportedAndTheOldFileStays)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    const std::string file = path("locked/sprelin.ini");
    writeAll(file, kOldFile);
    const std::string folder = path("locked");
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    SettingsRecord record;
    const bool written = writeSettings(record, file);
    chmod(folder.c_str(), 0755);
    EXPECT_FALSE(written);
    EXPECT_EQ(readAll(file), kOldFile);
    EXPECT_EQ(entries("locked"), QStringList { "sprelin.ini" });
}

// A settings file kept as a link into a folder of the user's own is written there, and the
// link stays.
TEST_F(ProfileStorageTest, SaveWritesThroughASymbolicLink)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("dotfiles"));
    const std::string real = path("dotfiles/sprelin.ini");
    writeAll(real, kOldFile);
    const std::string link = path("sprelin.ini");
    ASSERT_EQ(symlink("dotfiles/sprelin.ini", link.c_str()), 0);
    IniFile ini;
    ini.setValue("General", "A", "2");
    ASSERT_TRUE(saveProfile(link, ini));
    struct stat st { };
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readAll(real), "[General]\nA=2\n");
    EXPECT_EQ(entries(), (QStringList { "dotfiles", "sprelin.ini" }));
    EXPECT_EQ(entries("dotfiles"), QStringList { "sprelin.ini" });
}

// What is no regular file is neither read nor written, and none of it waits for the other end
// of a FIFO: a hang here would be the test's timeout.
TEST_F(ProfileStorageTest, WhatIsNoRegularFileIsNeitherReadNorWritten)
{
    struct Case {
        const char* name;
        int (*make)(const char* path);
        mode_t kind;
    };
    const Case cases[] = {
        { "pipe.ini", [](const char* p) { return mkfifo(p, 0600); }, S_IFIFO },
        { "folder.ini", [](const char* p) { return mkdir(p, 0700); }, S_IFDIR },
        { "device.ini", [](const char* p) { return symlink("/dev/null", p); }, S_IFCHR },
    };
    for (const Case& c : cases) {
        const std::string file = path(c.name);
        ASSERT_EQ(c.make(file.c_str()), 0) << c.name;
        EXPECT_TRUE(profileIsNotAFile(file)) << c.name;
        EXPECT_FALSE(loadProfile(file).value("General", "Topmost").has_value()) << c.name;
        SettingsRecord record;
        EXPECT_FALSE(writeSettings(record, file)) << c.name;
        struct stat st { };
        ASSERT_EQ(stat(file.c_str(), &st), 0) << c.name;
        EXPECT_EQ(st.st_mode & S_IFMT, c.kind) << c.name;
    }
    EXPECT_FALSE(profileIsNotAFile(path("missing.ini")));
}

TEST_F(ProfileStorageTest, OversizedFileIsNotRead)
{
    const std::string file = path("big.ini");
    writeAll(file, "[General]\nTopmost=1\n" + std::string(17 * 1024 * 1024, ' '));
    EXPECT_FALSE(loadProfile(file).value("General", "Topmost").has_value());
}

} // namespace
