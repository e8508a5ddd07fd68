#include <QtTest>

#include <string>
#include <vector>

#include "closemeasurements.h"

using Flags = std::vector<int32_t>;

Q_DECLARE_METATYPE(std::vector<int32_t>)
Q_DECLARE_METATYPE(std::vector<std::string>)

namespace {

constexpr int32_t traces = 8;

// A flag row that differs for every measurement: trace k of measurement m is hidden when
// k + m is divisible by 3.
Flags flagsOf(int32_t m)
{
    Flags row;
    for (int32_t k = 0; k < traces; ++k)
        row.push_back((k + m) % 3 == 0 ? 0 : 1);
    return row;
}

void fillList(RubberS2P& list, int32_t count)
{
    for (int32_t m = 0; m < count; ++m)
        list.measurement(m)->displayName = std::string(1, static_cast<char>('A' + m));
}

std::vector<std::string> names(RubberS2P& list)
{
    return measurementNames(list);
}

} // namespace

class CloseMeasurementsTest : public QObject {
    Q_OBJECT
private slots:
    void closesAndCompacts_data();
    void closesAndCompacts();
    void leavesTableEntriesPastTheListAlone();
    void staysInsideAShortTable();
    void emptyListChangesNothing();
    void namesFollowTheList();
    void sourcePathPassesToTheFilesNextView_data();
    void sourcePathPassesToTheFilesNextView();
};

void CloseMeasurementsTest::closesAndCompacts_data()
{
    QTest::addColumn<int32_t>("count");
    QTest::addColumn<int32_t>("reference");
    QTest::addColumn<std::vector<int32_t>>("selected");
    QTest::addColumn<std::vector<std::string>>("remaining");
    QTest::addColumn<int32_t>("expectedReference");

    using Names = std::vector<std::string>;
    using Indices = std::vector<int32_t>;
    QTest::newRow("A and D of four, reference C") << 4 << 2 << Indices { 0, 3 } << Names { "B", "C" } << 1;
    QTest::newRow("the reference itself") << 4 << 2 << Indices { 2 } << Names { "A", "B", "D" } << -1;
    QTest::newRow("reference and one below") << 4 << 2 << Indices { 1, 2 } << Names { "A", "D" } << -1;
    QTest::newRow("middle of three keeps the last one's hidden traces")
        << 3 << -1 << Indices { 1 } << Names { "A", "C" } << -1;
    QTest::newRow("all above the reference") << 4 << 0 << Indices { 2, 3 } << Names { "A", "B" } << 0;
    QTest::newRow("nothing selected") << 4 << 3 << Indices {} << Names { "A", "B", "C", "D" } << 3;
    QTest::newRow("unordered, repeated, out of range")
        << 4 << 2 << Indices { 3, 0, 3, 7, -1, 4 } << Names { "B", "C" } << 1;
    QTest::newRow("everything") << 3 << 1 << Indices { 2, 1, 0 } << Names {} << -1;
}

void CloseMeasurementsTest::closesAndCompacts()
{
    QFETCH(int32_t, count);
    QFETCH(int32_t, reference);
    QFETCH(std::vector<int32_t>, selected);
    QFETCH(std::vector<std::string>, remaining);
    QFETCH(int32_t, expectedReference);

    RubberS2P list;
    fillList(list, count);
    Flags rowVisible;
    for (int32_t m = 0; m < count; ++m) {
        const Flags row = flagsOf(m);
        rowVisible.insert(rowVisible.end(), row.begin(), row.end());
    }
    int32_t referenceIndex = reference;

    closeMeasurements(list, rowVisible, referenceIndex, selected);

    QCOMPARE(names(list), remaining);
    QCOMPARE(referenceIndex, expectedReference);
    QCOMPARE(rowVisible.size(), static_cast<size_t>(count) * traces);
    // Each survivor carries the flag row it had under its former index (its name's letter).
    for (size_t m = 0; m < remaining.size(); ++m) {
        const Flags row = flagsOf(remaining[m][0] - 'A');
        const Flags moved(rowVisible.begin() + m * traces, rowVisible.begin() + (m + 1) * traces);
        QCOMPARE(moved, row);
    }
}

void CloseMeasurementsTest::leavesTableEntriesPastTheListAlone()
{
    RubberS2P list;
    fillList(list, 3);
    Flags rowVisible(2048 * traces, 5);
    for (int32_t m = 0; m < 3; ++m)
        std::copy_n(flagsOf(m).begin(), traces, rowVisible.begin() + m * traces);
    int32_t referenceIndex = -1;

    closeMeasurements(list, rowVisible, referenceIndex, { 0 });

    QCOMPARE(rowVisible.size(), size_t { 2048 * traces });
    QCOMPARE(Flags(rowVisible.begin(), rowVisible.begin() + traces), flagsOf(1));
    QCOMPARE(Flags(rowVisible.begin() + traces, rowVisible.begin() + 2 * traces), flagsOf(2));
    for (size_t j = 3 * traces; j < rowVisible.size(); ++j)
        QCOMPARE(rowVisible[j], 5);
}

void CloseMeasurementsTest::staysInsideAShortTable()
{
    // Three measurements but flags for one and a half: the flags that exist move, nothing
    // is read or written past the table's end.
    RubberS2P list;
    fillList(list, 3);
    Flags rowVisible = flagsOf(0);
    const Flags second = flagsOf(1);
    rowVisible.insert(rowVisible.end(), second.begin(), second.begin() + 4);
    int32_t referenceIndex = 2;

    closeMeasurements(list, rowVisible, referenceIndex, { 0 });

    QCOMPARE(names(list), (std::vector<std::string> { "B", "C" }));
    QCOMPARE(referenceIndex, 1);
    QCOMPARE(rowVisible.size(), size_t { 12 });
    QCOMPARE(Flags(rowVisible.begin(), rowVisible.begin() + 4), Flags(second.begin(), second.begin() + 4));

    Flags empty;
    closeMeasurements(list, empty, referenceIndex, { 1 });
    QCOMPARE(names(list), std::vector<std::string> { "B" });
    QCOMPARE(referenceIndex, -1);
    QVERIFY(empty.empty());
}

void CloseMeasurementsTest::emptyListChangesNothing()
{
    RubberS2P list;
    Flags rowVisible(16, 1);
    int32_t referenceIndex = 0;
    closeMeasurements(list, rowVisible, referenceIndex, { 0, 1 });
    QCOMPARE(list.itemCount, 0);
    QCOMPARE(referenceIndex, 0);
    QCOMPARE(rowVisible, Flags(16, 1));
}

void CloseMeasurementsTest::namesFollowTheList()
{
    RubberS2P list;
    fillList(list, 2);
    list.measurement(1)->displayName = "плата 2.s2p";
    QCOMPARE(names(list), (std::vector<std::string> { "A", "плата 2.s2p" }));
}

void CloseMeasurementsTest::sourcePathPassesToTheFilesNextView_data()
{
    QTest::addColumn<std::vector<int32_t>>("selected");
    QTest::addColumn<std::vector<std::string>>("remainingPaths");

    // A three-port file's four views (the first names the file), then a file of its own.
    using Paths = std::vector<std::string>;
    using Indices = std::vector<int32_t>;
    QTest::newRow("first view") << Indices { 0 } << Paths { "/d/p.s3p", "", "", "/d/q.s2p" };
    QTest::newRow("first two views") << Indices { 0, 1 } << Paths { "/d/p.s3p", "", "/d/q.s2p" };
    QTest::newRow("every view") << Indices { 3, 2, 1, 0 } << Paths { "/d/q.s2p" };
    QTest::newRow("a later view") << Indices { 2 } << Paths { "/d/p.s3p", "", "", "/d/q.s2p" };
    QTest::newRow("the file after it") << Indices { 4 } << Paths { "/d/p.s3p", "", "", "" };
}

void CloseMeasurementsTest::sourcePathPassesToTheFilesNextView()
{
    QFETCH(std::vector<int32_t>, selected);
    QFETCH(std::vector<std::string>, remainingPaths);
    RubberS2P list;
    const char* const prefixes[] = { "[1->2] ", "[2->3] ", "[1->3] ", "[Conc. 2-3,3-2] " };
    for (int32_t m = 0; m < 4; ++m) {
        list.measurement(m)->fullName = std::string(prefixes[m]) + "/d/p.s3p";
        list.measurement(m)->sourcePath = m == 0 ? "/d/p.s3p" : "";
    }
    list.measurement(4)->fullName = "/d/q.s2p";
    list.measurement(4)->sourcePath = "/d/q.s2p";
    Flags flags(5 * traces, 1);
    int32_t reference = -1;
    closeMeasurements(list, flags, reference, selected);
    std::vector<std::string> paths;
    for (int32_t m = 0; m < list.itemCount; ++m)
        paths.push_back(list.measurement(m)->sourcePath);
    QCOMPARE(paths, remainingPaths);
}

QTEST_APPLESS_MAIN(CloseMeasurementsTest)
#include "closemeasurements_test.moc"
