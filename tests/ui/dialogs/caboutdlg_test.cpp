#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "abouttext.h"
#include "caboutdlg.h"

class CAboutDlgTest : public QObject {
    Q_OBJECT
private slots:
    void showsTitleAndText_data();
    void showsTitleAndText();
    void okCloses();
};

void CAboutDlgTest::showsTitleAndText_data()
{
    QTest::addColumn<int32_t>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("maker");
    QTest::newRow("Russian") << 0 << QString::fromUtf8("О программе Sprelin")
                             << QString::fromUtf8("Разработчики Sprelin");
    QTest::newRow("English") << 1 << "About Sprelin"
                             << "Sprelin developers";
    QTest::newRow("other values are English") << 2 << "About Sprelin"
                                              << "Sprelin developers";
}

void CAboutDlgTest::showsTitleAndText()
{
    QFETCH(int32_t, language);
    QFETCH(QString, title);
    QFETCH(QString, maker);

    CAboutDlg dlg(languageOf(language));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.windowTitle(), title);

    const auto* text = dlg.findChild<QLabel*>(QStringLiteral("aboutText"));
    QVERIFY(text != nullptr);
    QCOMPARE(text->text(), QString::fromStdString(aboutText(languageOf(language))));
    QCOMPARE(text->text().split(QLatin1Char('\n')).value(2), maker);
    QVERIFY(text->alignment() & Qt::AlignHCenter);
    // All six lines fit the text's box.
    const QRect needed
        = text->fontMetrics().boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignLeft, text->text());
    QVERIFY2(needed.width() <= text->width() && needed.height() <= text->height(),
        qPrintable(QStringLiteral("%1x%2 in %3x%4")
                       .arg(needed.width())
                       .arg(needed.height())
                       .arg(text->width())
                       .arg(text->height())));

    const auto* icon = dlg.findChild<QLabel*>(QStringLiteral("aboutIcon"));
    QVERIFY(icon != nullptr);
    QVERIFY(!icon->pixmap().isNull());
    QVERIFY(icon->geometry().right() < text->geometry().left());

    const auto* ok = dlg.findChild<QPushButton*>(QStringLiteral("okButton"));
    QVERIFY(ok != nullptr);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(dlg.rect().contains(ok->geometry()));
    QVERIFY(text->geometry().bottom() < ok->geometry().top());
}

void CAboutDlgTest::okCloses()
{
    CAboutDlg dlg(Language::english);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(!dlg.isVisible());
}

QTEST_MAIN(CAboutDlgTest)
#include "caboutdlg_test.moc"
