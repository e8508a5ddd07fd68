#include <QRegularExpression>
#include <QtTest>

#include <cstdio>
#include <cstring>
#include <string>

#include "abouttext.h"

namespace {

// A compiler build date "Mmm dd yyyy" read as "dd.mm.yyyy".
QString compilerDateText(const char* date)
{
    const char* months = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const int month = static_cast<int>((std::strstr(months, std::string(date, 3).c_str()) - months) / 3 + 1);
    int day = 0;
    int year = 0;
    std::sscanf(date + 4, "%d %d", &day, &year);
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year);
    return QString::fromLatin1(text);
}

QStringList aboutLines(int32_t language, const BuildStamp& stamp)
{
    return QString::fromStdString(aboutText(languageOf(language), stamp)).split(QLatin1Char('\n'));
}

} // namespace

class AboutTextTest : public QObject {
    Q_OBJECT
private slots:
    void sixLines_data();
    void sixLines();
    void buildDateText_data();
    void buildDateText();
    void recordsThisBuild();
};

void AboutTextTest::sixLines_data()
{
    QTest::addColumn<int32_t>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("maker");

    const QString bits = QString::number(sizeof(void*) * 8);
    const QString russian = QString::fromUtf8("Sprelin, версия 1.7 (%1 бит)").arg(bits);
    const QString english = QStringLiteral("Sprelin, version 1.7 (%1-bit)").arg(bits);
    QTest::newRow("Russian") << 0 << russian << QString::fromUtf8("Разработчики Sprelin");
    QTest::newRow("English") << 1 << english << QStringLiteral("Sprelin developers");
    QTest::newRow("other values are English") << 7 << english << QStringLiteral("Sprelin developers");
    QTest::newRow("negative is English") << -1 << english << QStringLiteral("Sprelin developers");
}

void AboutTextTest::sixLines()
{
    QFETCH(int32_t, language);
    QFETCH(QString, title);
    QFETCH(QString, maker);

    const QStringList lines = aboutLines(language, { "Mar  7 2031", "09:05:01" });
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0], title);
    QCOMPARE(lines[1], QString());
    QCOMPARE(lines[2], maker);
    QCOMPARE(lines[3], QStringLiteral("https://sprelin.example.org"));
    QCOMPARE(lines[4], QString());
    QCOMPARE(lines[5], QStringLiteral("07.03.2031 09:05:01"));
}

void AboutTextTest::buildDateText_data()
{
    QTest::addColumn<QString>("compilerDate");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one-digit day") << "Jan  5 2024"
                                   << "05.01.2024";
    QTest::newRow("two-digit day") << "Dec 31 1999"
                                   << "31.12.1999";
    QTest::newRow("leap day") << "Feb 29 2028"
                              << "29.02.2028";
    QTest::newRow("October") << "Oct 10 2010"
                             << "10.10.2010";
    const QString unknown = QStringLiteral("??.??.????");
    QTest::newRow("date unknown to the compiler") << "??? ?? ????" << unknown;
    QTest::newRow("empty") << "" << unknown;
    QTest::newRow("unknown month") << "Foo 12 2020" << unknown;
    QTest::newRow("lower-case month") << "jan 12 2020" << unknown;
    QTest::newRow("day zero") << "May  0 2020" << unknown;
    QTest::newRow("day 32") << "May 32 2020" << unknown;
    QTest::newRow("short") << "Jan 5 2024" << unknown;
    QTest::newRow("letters in the year") << "Jan 15 20x4" << unknown;
}

void AboutTextTest::buildDateText()
{
    QFETCH(QString, compilerDate);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(::buildDateText(compilerDate.toStdString())), expected);
}

void AboutTextTest::recordsThisBuild()
{
    const BuildStamp stamp = programBuildStamp();
    const QString last = aboutLines(1, stamp).value(5);
    const QRegularExpression form(QStringLiteral("^(\\d\\d\\.\\d\\d\\.\\d{4}) (\\d\\d:\\d\\d:\\d\\d)$"));
    const QRegularExpressionMatch match = form.match(last);
    QVERIFY2(match.hasMatch(), qPrintable(last));
    QCOMPARE(match.captured(1), compilerDateText(stamp.date.c_str()));
    QCOMPARE(match.captured(2), QString::fromStdString(stamp.time));
    // The compiler's form as this test was built reads the same way.
    QCOMPARE(QString::fromStdString(::buildDateText(__DATE__)), compilerDateText(__DATE__));
    QCOMPARE(QString::fromStdString(aboutText(Language::english)),
        QString::fromStdString(aboutText(Language::english, programBuildStamp())));
}

QTEST_APPLESS_MAIN(AboutTextTest)
#include "abouttext_test.moc"
