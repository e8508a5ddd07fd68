#include "caboutdlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "abouttext.h"
#include "sprelinicon.h"
#include "templategeometry.h"

CAboutDlg::CAboutDlg(Language language, QWidget* parent)
    : QDialog(parent)
{
    const TemplateGeometry units(fontMetrics());
    setFixedSize(units.size(166, 93));
    setWindowTitle(language == Language::russian ? QString::fromUtf8("О программе Sprelin")
                                                 : QStringLiteral("About Sprelin"));

    const QIcon appIcon = QApplication::windowIcon().isNull() ? sprelinIcon() : QApplication::windowIcon();
    const int iconSize = style()->pixelMetric(QStyle::PM_LargeIconSize, nullptr, this);
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(appIcon.pixmap(iconSize, iconSize));
    icon->setGeometry(QRect(QPoint(units.x(14), units.y(14)), QSize(iconSize, iconSize)));

    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("aboutText"));
    text->setGeometry(units.rect(36, 16, 124, 52));
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    text->setTextFormat(Qt::PlainText);
    text->setText(QString::fromStdString(aboutText(language)));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setGeometry(units.rect(116, 76, 44, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
