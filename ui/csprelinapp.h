#pragma once

#include <QApplication>

// The application: registers itself as "Sprelin", runs the main window with the files named
// on the command line and ends when the window closes.
class CSprelinApp : public QApplication {
    Q_OBJECT
public:
    CSprelinApp(int& argc, char** argv);

    // Shows the main window and runs until it is closed; the exit code of the event loop.
    int run();

private:
    int& argumentCount;
    char** arguments;
};
