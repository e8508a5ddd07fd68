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
    void anEvenNumberTypedBecomesTheNextOdd_data();
    void anEvenNumberTypedBecomesTheNextOdd();
    void widthFollowsThePoints();
    void textsInBothLanguages_data();
    void textsInBothLanguages();
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
    // An aperture that means none opens at the default; the arrows step over even numbers.
    DelayApertureDlg dialog(8, 2e6, 2e6, Language::english);
    QCOMPARE(dialog.widthText(), QStringLiteral("aperture 5 points, 8 MHz"));
    pointsOf(dialog)->setValue(9);
    pointsOf(dialog)->stepUp();
    QCOMPARE(dialog.widthText(), QStringLiteral("aperture 11 points, 20 MHz"));
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

QTEST_MAIN(DelayApertureDlgTest)
#include "delayaperturedlg_test.moc"
