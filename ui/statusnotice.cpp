#include "statusnotice.h"

#include <QMainWindow>
#include <QStatusBar>

StatusNotice::StatusNotice(QMainWindow& mainWindow)
    : window(mainWindow)
{
}

void StatusNotice::show(const QString& text)
{
    window.statusBar()->showMessage(text);
}

void StatusNotice::withdraw(const QString& text)
{
    if (shown() == text)
        window.statusBar()->clearMessage();
}

QString StatusNotice::shown() const
{
    const QStatusBar* bar = window.findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
    return bar != nullptr ? bar->currentMessage() : QString();
}
