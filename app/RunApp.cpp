// The application object and the program's entry point.
#include "app/RunApp.h"

CRunApp theApp;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return theApp.Run();
}
