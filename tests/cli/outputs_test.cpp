#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <functional>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "clirunner.h"
#include "filetext.h"
#include "tempdir.h"

namespace {

// A writing command, the extension of its output and the bytes every output starts with.
struct Writer {
    const char* command;
    const char* extension;
    std::string magic;
};

const Writer writers[] = {
    { "average", ".s2p", "! Sprelin average calculated S2P\r\n" },
    { "render", ".png", "\x89PNG" },
    { "export", ".xlsx", "PK" },
};

CliRun write(const Writer& w, const std::string& output)
{
    return runCli(std::string(w.command) + " -o " + shellQuoted(output) + " "
        + shellQuoted(samplePath("attenuator-10db.s2p")));
}

bool startsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

// Whether two writes of the same output are alike: of the same size, and for a workbook, which
// holds the moment it was made in its compressed parts, within a few bytes of it.
bool alike(const Writer& w, const std::string& a, const std::string& b)
{
    const double slack = std::string(w.command) == "export" ? 16 : 0;
    return std::abs(static_cast<double>(a.size()) - static_cast<double>(b.size())) <= slack;
}

TEST(CliOutputs, StandardOutputAndDevicesAreWrittenInPlace)
{
    for (const Writer& w : writers) {
        SCOPED_TRACE(w.command);
        const CliRun out = write(w, "-");
        EXPECT_EQ(out.status, 0) << out.err;
        EXPECT_TRUE(startsWith(out.out, w.magic));
        EXPECT_EQ(out.err, "");

        const CliRun null = write(w, "/dev/null");
        EXPECT_EQ(null.status, 0) << null.err;
        struct stat st;
        ASSERT_EQ(::stat("/dev/null", &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode));

        // Through /dev/stdout as scripts write it, into a pipe and into a regular file.
        const CliRun viaLink = write(w, "/dev/stdout");
        EXPECT_EQ(viaLink.status, 0) << viaLink.err;
        EXPECT_TRUE(startsWith(viaLink.out, w.magic));
        EXPECT_TRUE(alike(w, viaLink.out, out.out)) << viaLink.out.size() << " " << out.out.size();
        const CliRun piped = runCli(std::string(w.command) + " -o /dev/stdout "
            + shellQuoted(samplePath("attenuator-10db.s2p")) + " | cat");
        EXPECT_EQ(piped.status, 0) << piped.err;
        EXPECT_TRUE(startsWith(piped.out, w.magic));
        EXPECT_TRUE(alike(w, piped.out, out.out)) << piped.out.size() << " " << out.out.size();
    }
}

// A target of each kind: how to make it, the file that must then hold the output, and every
// name the folder must hold afterwards (no temporary, links still links).
struct TargetCase {
    const char* what;
    std::function<void(const TempDir&, const std::string&)> prepare;
    std::string name;
    std::string holder;
    std::vector<std::string> entries;
};

TEST(CliOutputs, LinksAndLongNamesAreWrittenWholeByEveryCommand)
{
    const std::string longName(250, 'x');
    const std::vector<TargetCase> cases = {
        { "a link to an old file",
            [](const TempDir& d, const std::string&) {
                writeAll(d.file("real"), "old");
                ASSERT_EQ(::symlink("real", d.file("link").c_str()), 0);
            },
            "link", "real", { "link", "real" } },
        { "a link to a missing file",
            [](const TempDir& d, const std::string&) {
                ASSERT_EQ(::symlink("real", d.file("link").c_str()), 0);
            },
            "link", "real", { "link", "real" } },
        { "a name of 250 bytes and more", [](const TempDir&, const std::string&) {}, "", "", {} },
    };
    for (const Writer& w : writers)
        for (const TargetCase& c : cases) {
            SCOPED_TRACE(std::string(w.command) + ": " + c.what);
            TempDir dir;
            c.prepare(dir, w.extension);
            const std::string name = c.name.empty() ? longName + w.extension : c.name;
            const std::string holder = c.holder.empty() ? name : c.holder;
            const CliRun run = write(w, dir.file(name));
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_TRUE(startsWith(readAll(dir.file(holder)), w.magic));
            struct stat st;
            EXPECT_EQ(::lstat(dir.file(name).c_str(), &st) == 0 && S_ISLNK(st.st_mode), name != holder);
            std::vector<std::string> entries = dir.entries();
            std::sort(entries.begin(), entries.end());
            EXPECT_EQ(entries, c.entries.empty() ? std::vector<std::string> { name } : c.entries);
        }
}

// Targets that cannot be written: every command refuses with the same line and keeps the
// old file.
struct RefusalCase {
    const char* what;
    std::function<void(const TempDir&)> prepare;
    std::string name;
    std::string reason;
};

TEST(CliOutputs, RefusalsNameThePathAndTheReasonAndKeepTheOldFile)
{
    const std::vector<RefusalCase> cases = {
        { "a read-only file",
            [](const TempDir& d) {
                writeAll(d.file("out"), "old");
                ::chmod(d.file("out").c_str(), 0444);
            },
            "out", "not writable: permission denied" },
        { "a link to a read-only file",
            [](const TempDir& d) {
                writeAll(d.file("out"), "old");
                ::chmod(d.file("out").c_str(), 0444);
                ::symlink("out", d.file("link").c_str());
            },
            "link", "not writable: permission denied" },
        { "a missing folder", [](const TempDir&) {}, "missing/out", "not writable: no such folder" },
        { "a folder", [](const TempDir& d) { ::mkdir(d.file("folder").c_str(), 0755); }, "folder",
            "not writable: is a directory" },
    };
    for (const Writer& w : writers)
        for (const RefusalCase& c : cases) {
            SCOPED_TRACE(std::string(w.command) + ": " + c.what);
            TempDir dir;
            c.prepare(dir);
            std::vector<std::string> before = dir.entries();
            const std::string path = dir.file(c.name);
            const CliRun run = write(w, path);
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(run.err, path + ": " + c.reason + "\n");
            EXPECT_EQ(dir.entries(), before);
            if (c.name != "folder" && c.name != "missing/out") {
                EXPECT_EQ(readAll(dir.file("out")), "old");
            }
        }
    const CliRun full = write(writers[0], "/dev/full");
    EXPECT_EQ(full.err, "/dev/full: not writable: no space left on the device\n");
}

// Kills a run of average at random moments, also during the write: the target is always
// either the old file or the complete new one, and no temporary is left.
TEST(CliOutputs, KilledAverageLeavesTheOldFileOrTheWholeNewOne)
{
    TempDir dir;
    const std::string input = dir.file("many.dtu");
    {
        std::string text;
        for (int i = 1; i <= 300000; ++i)
            text += std::to_string(i) + "000 " + std::to_string(-(i % 97)) + "\n";
        writeAll(input, text);
    }
    const std::string target = dir.file("mean.s2p");
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(runCli("average -o " + shellQuoted(target) + " " + shellQuoted(input)).status, 0);
    const auto runTime = std::chrono::steady_clock::now() - start;
    const std::string complete = readAll(target);
    ASSERT_GT(complete.size(), 300000u * 9);

    std::mt19937 random(20261209);
    const long long span = std::chrono::duration_cast<std::chrono::microseconds>(runTime).count();
    std::uniform_int_distribution<long long> moment(0, span);
    int killed = 0;
    for (int trial = 0; trial < 20; ++trial) {
        writeAll(target, "old\n");
        const pid_t child = ::fork();
        if (child == 0) {
            ::execl(SPRELIN_CLI, SPRELIN_CLI, "average", "-o", target.c_str(), input.c_str(), nullptr);
            ::_exit(127);
        }
        ::usleep(static_cast<useconds_t>(moment(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        killed += WIFSIGNALED(status) ? 1 : 0;
        const std::string now = readAll(target);
        EXPECT_TRUE(now == "old\n" || now == complete) << "trial " << trial << ": " << now.size() << " bytes";
        EXPECT_EQ(dir.entries().size(), 2u) << "trial " << trial;
    }
    EXPECT_GT(killed, 0);
}

} // namespace
