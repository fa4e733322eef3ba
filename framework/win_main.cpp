// The program's entry point. Kept apart from the framework library: a static
// library's WinMain would not be linked in, since the C runtime asks for it
// only after the libraries have been searched.
#include "framework/win_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return AfxWinMain();
}
