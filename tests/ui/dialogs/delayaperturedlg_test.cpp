#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "delayaperturedlg.h"

// The group delay aperture dialog: odd numbers only, the width the points take, both
// languages.
class DelayApertureDlgTest : public QObject {
    Q_OBJECT
private slots:
    void startsAtTheApertureInForce();
    void arrowsStepByTwoWithinTheRange();
    void anEvenNumberTypedBecomesTheNextOdd_data();
    void anEvenNumberTypedBecomesTheNextOdd();
    void widthFollowsThePoints();
    void textsInBothLanguages_data();
    void textsInBothLanguages();
    void okAcceptsAndCancelRejects();
};

namespace {

OddSpinBox* pointsOf(const DelayApertureDlg& dialog)
{
    return dialog.findChild<OddSpinBox*>(QStringLiteral("pointsBox"));
}

QPushButton* buttonOf(const DelayApertureDlg& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(QLatin1String(name));
}

} // namespace

void DelayApertureDlgTest::startsAtTheApertureInForce()
{
    const DelayApertureDlg seven(7, 1e6, 1e6, Language::english);
    QCOMPARE(seven.aperture(), 7);
    QCOMPARE(pointsOf(seven)->minimum(), 3);
    QCOMPARE(pointsOf(seven)->maximum(), 1001);
    // An aperture that means none opens at the default.
    const DelayApertureDlg even(8, 1e6, 1e6, Language::english);
    QCOMPARE(even.aperture(), 5);
}

void DelayApertureDlgTest::arrowsStepByTwoWithinTheRange()
{
    DelayApertureDlg dialog(5, 1e6, 1e6, Language::english);
    OddSpinBox* points = pointsOf(dialog);
    points->stepUp();
    QCOMPARE(dialog.aperture(), 7);
    points->stepDown();
    points->stepDown();
    QCOMPARE(dialog.aperture(), 3);
    points->stepDown();
    QCOMPARE(dialog.aperture(), 3);
    points->setValue(999);
    points->stepUp();
    QCOMPARE(dialog.aperture(), 1001);
    points->stepUp();
    QCOMPARE(dialog.aperture(), 1001);
}

void DelayApertureDlgTest::anEvenNumberTypedBecomesTheNextOdd_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("aperture");
    QTest::newRow("4") << "4" << 5;
    QTest::newRow("10") << "10" << 11;
    QTest::newRow("21") << "21" << 21;
    QTest::newRow("1000") << "1000" << 1001;
}

void DelayApertureDlgTest::anEvenNumberTypedBecomesTheNextOdd()
{
    QFETCH(QString, typed);
    QFETCH(int, aperture);
    DelayApertureDlg dialog(5, 1e6, 1e6, Language::english);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    OddSpinBox* points = pointsOf(dialog);
    points->setFocus();
    QLineEdit* edit = points->findChild<QLineEdit*>();
    QVERIFY(edit != nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Enter);
    QCOMPARE(dialog.aperture(), aperture);
    QCOMPARE(dialog.aperture() % 2, 1);
}

void DelayApertureDlgTest::widthFollowsThePoints()
{
    DelayApertureDlg dialog(5, 2e6, 2e6, Language::english);
    QCOMPARE(dialog.widthText(), QStringLiteral("aperture 5 points, 8 MHz"));
    pointsOf(dialog)->setValue(11);
    QCOMPARE(dialog.widthText(), QStringLiteral("aperture 11 points, 20 MHz"));
    // Measurements of different steps give a range.
    const DelayApertureDlg mixed(3, 1e6, 2.5e6, Language::english);
    QCOMPARE(mixed.widthText(), QStringLiteral("aperture 3 points, 2–5 MHz"));
    // Without a measurement there is no width to show.
    const DelayApertureDlg none(5, 0, 0, Language::english);
    QVERIFY(none.widthText().isEmpty());
}

void DelayApertureDlgTest::textsInBothLanguages_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("cancel");
    QTest::addColumn<QString>("width");
    QTest::newRow("Russian") << 0 << QString::fromUtf8("Апертура группового времени запаздывания")
                             << QString::fromUtf8("Точек в апертуре (нечётное, от 3 до 1001):")
                             << QString::fromUtf8("Отмена") << QString::fromUtf8("апертура 5 точек, 8 МГц");
    QTest::newRow("English") << 1 << "Group delay aperture"
                             << "Points in the aperture (odd, 3 to 1001):"
                             << "Cancel"
                             << "aperture 5 points, 8 MHz";
}

void DelayApertureDlgTest::textsInBothLanguages()
{
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, prompt);
    QFETCH(QString, cancel);
    QFETCH(QString, width);
    const DelayApertureDlg dialog(5, 2e6, 2e6, languageOf(language));
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("promptLabel"))->text(), prompt);
    QCOMPARE(buttonOf(dialog, "cancelButton")->text(), cancel);
    QCOMPARE(buttonOf(dialog, "okButton")->text(), QStringLiteral("OK"));
    QCOMPARE(dialog.widthText(), width);
    // Every text fits its control.
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
            qPrintable(label->text()));
}

void DelayApertureDlgTest::okAcceptsAndCancelRejects()
{
    DelayApertureDlg ok(5, 1e6, 1e6, Language::english);
    QTimer::singleShot(0, &ok, [&] { buttonOf(ok, "okButton")->click(); });
    QCOMPARE(ok.exec(), int(QDialog::Accepted));
    DelayApertureDlg cancel(5, 1e6, 1e6, Language::english);
    QTimer::singleShot(0, &cancel, [&] { QTest::keyClick(&cancel, Qt::Key_Escape); });
    QCOMPARE(cancel.exec(), int(QDialog::Rejected));
}

QTEST_MAIN(DelayApertureDlgTest)
#include "delayaperturedlg_test.moc"
