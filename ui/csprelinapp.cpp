#include "csprelinapp.h"

#include <string>
#include <vector>

#include "csprelindlg.h"

CSprelinApp::CSprelinApp(int& argc, char** argv)
    : QApplication(argc, argv)
    , argumentCount(argc)
    , arguments(argv)
{
    setOrganizationName(QStringLiteral("Sprelin"));
    setApplicationName(QStringLiteral("Sprelin"));
}

int CSprelinApp::run()
{
    // Qt has taken its own options out of the arguments; every other one is a file path.
    std::vector<std::string> paths;
    for (int i = 1; i < argumentCount; ++i)
        paths.emplace_back(arguments[i]);
    CSprelinDlg window(paths);
    return exec();
}
