#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "filesizelimit.h"
#include "filetext.h"
#include "savefile.h"
#include "tempdir.h"

namespace {

const std::string newText = "new text\n";

// Writes text to path with one SaveFile; the error of the first step that failed.
std::string save(const std::string& path, const std::string& text = newText)
{
    SaveFile file;
    std::string error;
    if (!file.open(path, error))
        return error;
    file.write(text.data(), text.size());
    file.commit(error);
    return error;
}

std::vector<std::string> sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

bool isLink(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// A process id that no process has any longer.
pid_t goneProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// Where a write goes: the file that must hold the new text afterwards, the links that must
// still be links, and every name the folder holds then.
struct TargetCase {
    const char* what;
    std::function<void(const TempDir&)> prepare;
    std::string written; // the path given to the writer
    std::string holder; // the file that must hold the new text
    std::vector<std::string> links;
    std::vector<std::string> entries;
};

TEST(SaveFile, WritesEveryKindOfTargetWholeAndLeavesNothingElse)
{
    const std::string longName(255, 'n');
    const std::string nearlyLong = std::string(246, 'm') + ".s2p";
    const std::vector<TargetCase> cases = {
        { "a new file", [](const TempDir&) {}, "a.s2p", "a.s2p", {}, { "a.s2p" } },
        { "an old file", [](const TempDir& d) { writeAll(d.file("a.s2p"), "old"); }, "a.s2p", "a.s2p", {},
            { "a.s2p" } },
        { "a link to an old file",
            [](const TempDir& d) {
                writeAll(d.file("real.s2p"), "old");
                ASSERT_EQ(::symlink("real.s2p", d.file("link.s2p").c_str()), 0);
            },
            "link.s2p", "real.s2p", { "link.s2p" }, { "link.s2p", "real.s2p" } },
        { "a link to a missing file in a subfolder",
            [](const TempDir& d) {
                ASSERT_EQ(::mkdir(d.file("sub").c_str(), 0755), 0);
                ASSERT_EQ(::symlink("sub/real.ini", d.file("link.ini").c_str()), 0);
            },
            "link.ini", "sub/real.ini", { "link.ini" }, { "link.ini", "sub" } },
        { "a chain of links, one absolute",
            [](const TempDir& d) {
                writeAll(d.file("real"), "old");
                ASSERT_EQ(::symlink(d.file("real").c_str(), d.file("one").c_str()), 0);
                ASSERT_EQ(::symlink("one", d.file("two").c_str()), 0);
            },
            "two", "real", { "one", "two" }, { "one", "real", "two" } },
        { "a name of 255 bytes", [](const TempDir&) {}, longName, longName, {}, { longName } },
        { "an old file with a name of 250 bytes",
            [&](const TempDir& d) { writeAll(d.file(nearlyLong), "old"); }, nearlyLong, nearlyLong, {},
            { nearlyLong } },
    };
    for (const TargetCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        c.prepare(dir);
        EXPECT_EQ(save(dir.file(c.written)), "");
        EXPECT_EQ(readAll(dir.file(c.holder)), newText);
        for (const std::string& link : c.links)
            EXPECT_TRUE(isLink(dir.file(link))) << link;
        EXPECT_EQ(sorted(dir.entries()), c.entries);
    }
}

TEST(SaveFile, ReplacedFileKeepsItsPermissionsAndASuperuserKeepsItsOwner)
{
    TempDir dir;
    const std::string path = dir.file("a.s2p");
    writeAll(path, "old");
    // A superuser replacing a user's file: any owner and group other than its own, whose
    // permission bits let others write.
    const bool superuser = ::geteuid() == 0;
    const uid_t owner = superuser ? 4321 : ::geteuid();
    const gid_t group = superuser ? 4322 : ::getegid();
    ASSERT_EQ(::chown(path.c_str(), owner, group), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0646), 0);
    EXPECT_EQ(save(path), "");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0646u);
    EXPECT_EQ(st.st_uid, owner);
    EXPECT_EQ(st.st_gid, group);
    EXPECT_EQ(readAll(path), newText);
}

TEST(SaveFile, DevicesAndFifosAreWrittenInPlace)
{
    struct stat before;
    ASSERT_EQ(::stat("/dev/null", &before), 0);
    EXPECT_EQ(save("/dev/null"), "");
    struct stat after;
    ASSERT_EQ(::stat("/dev/null", &after), 0);
    EXPECT_TRUE(S_ISCHR(after.st_mode));
    EXPECT_EQ(after.st_ino, before.st_ino);

    TempDir dir;
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = readAll(fifo); });
    EXPECT_EQ(save(fifo), "");
    reader.join();
    EXPECT_EQ(received, newText);
    struct stat st;
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(dir.entries(), std::vector<std::string> { "pipe" });
}

// Targets that cannot be written: the reason, and the folder as it was.
struct RefusalCase {
    const char* what;
    std::function<bool(const TempDir&)> prepare; // false skips the case
    std::string path;
    std::string error;
};

TEST(SaveFile, RefusesWithTheSystemsReasonAndKeepsTheOldFile)
{
    const std::vector<RefusalCase> cases = {
        { "a missing folder", [](const TempDir&) { return true; }, "missing/a.s2p",
            "not writable: no such folder" },
        { "a folder", [](const TempDir& d) { return ::mkdir(d.file("folder").c_str(), 0755) == 0; }, "folder",
            "not writable: is a directory" },
        { "a file as a folder", [](const TempDir& d) { return writeAll(d.file("plain"), "old"), true; },
            "plain/a.s2p", "not writable: a part of the path is not a folder" },
        { "a read-only file",
            [](const TempDir& d) {
                writeAll(d.file("a.s2p"), "old");
                return ::chmod(d.file("a.s2p").c_str(), 0444) == 0;
            },
            "a.s2p", "not writable: permission denied" },
        { "a link to a read-only file",
            [](const TempDir& d) {
                writeAll(d.file("real"), "old");
                return ::chmod(d.file("real").c_str(), 0444) == 0
                    && ::symlink("real", d.file("a.s2p").c_str()) == 0;
            },
            "a.s2p", "not writable: permission denied" },
        { "another user's file in a shared folder",
            [](const TempDir& d) {
                writeAll(d.file("a.s2p"), "old");
                return ::chmod(d.file("a.s2p").c_str(), 0644) == 0
                    && ::chown(d.file("a.s2p").c_str(), ::geteuid() + 4321, ::getegid() + 4321) == 0;
            },
            "a.s2p", "not writable: permission denied" },
        { "a loop of links",
            [](const TempDir& d) {
                return ::symlink("b", d.file("a").c_str()) == 0 && ::symlink("a", d.file("b").c_str()) == 0;
            },
            "a", "not writable: too many symbolic links" },
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        if (!c.prepare(dir))
            continue; // chown needs the rights of the superuser
        const std::vector<std::string> before = sorted(dir.entries());
        const std::string old = readAll(dir.file("a.s2p"));
        EXPECT_EQ(save(dir.file(c.path)), c.error);
        EXPECT_EQ(sorted(dir.entries()), before);
        EXPECT_EQ(readAll(dir.file("a.s2p")), old);
    }
}

TEST(SaveFile, FailedWritesNameTheReasonAndKeepTheOldFile)
{
    EXPECT_EQ(save("/dev/full"), "not writable: no space left on the device");

    TempDir dir;
    const std::string path = dir.file("a.s2p");
    writeAll(path, "old");
    std::string error;
    {
        const FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.active());
        error = save(path, std::string(5000, 'x'));
    }
    EXPECT_EQ(error, "not writable: file too large");
    EXPECT_EQ(readAll(path), "old");
    EXPECT_EQ(dir.entries(), std::vector<std::string> { "a.s2p" });
}

TEST(SaveFile, RemovesTheTemporariesOfGoneWritersToTheSameTarget)
{
    const std::string longName(255, 'n');
    for (const std::string& name : { std::string("a.s2p"), longName }) {
        SCOPED_TRACE(name.size());
        TempDir dir;
        // The name of a temporary: the target's name cut to leave 32 bytes within 255.
        const std::string stem = name.substr(0, std::min<size_t>(name.size(), 223));
        const std::string gone = stem + "." + std::to_string(goneProcess()) + ".3.tmp";
        const std::string living = stem + "." + std::to_string(::getppid()) + ".4.tmp";
        const std::string otherTarget = "b.s2p." + std::to_string(goneProcess()) + ".1.tmp";
        const std::string notOne = stem + ".12x.1.tmp";
        for (const std::string& n : { gone, living, otherTarget, notOne })
            writeAll(dir.file(n), "left");
        EXPECT_EQ(save(dir.file(name)), "");
        EXPECT_EQ(sorted(dir.entries()), sorted({ name, living, otherTarget, notOne }));
    }
}

} // namespace
