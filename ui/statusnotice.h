#pragma once

#include <QString>

class QMainWindow;

// The main window's status line, for what the user must be told without a dialog: a settings
// file that cannot be used, a chart that ran out of memory. The status bar is made with the
// first notice, so that a window with nothing to say keeps its look.
class StatusNotice {
public:
    explicit StatusNotice(QMainWindow& window);

    // Shows the text until another takes its place or it is withdrawn.
    void show(const QString& text);
    // Clears the status line when it shows the text.
    void withdraw(const QString& text);
    // The text shown; empty for none.
    QString shown() const;

private:
    QMainWindow& window;
};
