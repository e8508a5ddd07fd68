#include "csprelinapp.h"

int main(int argc, char** argv)
{
    CSprelinApp app(argc, argv);
    return app.run();
}
