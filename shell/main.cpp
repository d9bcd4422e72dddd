#include <windows.h>

#include "app/settingsfile.h"
#include "shell/startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    // An earlier installation kept the settings in the system's profile.
    LegacyProfileFile = kLegacyProfileFile;
    return RunLingorix(instance, commandLine, showCommand);
}
