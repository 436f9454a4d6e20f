// The platform entry point on Windows. The game is a windowed program with
// no console, so, as SDL 1.2's own start-up code on Windows does, standard
// output goes to stdout.txt and standard error to stderr.txt beside the
// program, each removed at the end when nothing was written to it. Where
// the program's folder cannot be written, as in an install for all users
// under Program Files, both go to ORBO-STRAK in the player's local
// application data (%LOCALAPPDATA%\ORBO-STRAK) instead.
//
// SDL_Quit runs after an orderly end, and at exit after a refused start:
// the game ends then with exit(-1), which Windows reports as -1.
#include <SDL.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "frame/screen_sequence.h"

// SDL_main.h, which declares it, stays out of the build (it would rename
// every main).
extern "C" DECLSPEC int SDLCALL SDL_RegisterApp(char* name, Uint32 style, void* instance);

// The class of the game's window, named as its X11 class is; the class takes
// the icon of the program's resource of that name.
static char WINDOW_CLASS[] = "orbostrak";

static const wchar_t OUTPUT_FOLDER[] = L"ORBO-STRAK";
static const wchar_t STDOUT_FILE[] = L"stdout.txt";
static const wchar_t STDERR_FILE[] = L"stderr.txt";

// Long enough for any folder Windows hands out; a longer one is not used.
constexpr DWORD PATH_LENGTH = 32768;
static wchar_t stdout_path[PATH_LENGTH];
static wchar_t stderr_path[PATH_LENGTH];

// The folder of the running program, with its closing backslash.
static bool program_folder(wchar_t* folder) {
    DWORD length = GetModuleFileNameW(nullptr, folder, PATH_LENGTH);
    if (length == 0 || length >= PATH_LENGTH)
        return false;
    while (length > 0 && folder[length - 1] != L'\\')
        length--;
    folder[length] = 0;
    return length > 0;
}

// %LOCALAPPDATA%\ORBO-STRAK\, made where it is missing.
static bool player_folder(wchar_t* folder) {
    DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", folder, PATH_LENGTH);
    if (length == 0 || length + wcslen(OUTPUT_FOLDER) + 2 >= PATH_LENGTH)
        return false;
    wcscat(folder, L"\\");
    wcscat(folder, OUTPUT_FOLDER);
    if (!CreateDirectoryW(folder, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    wcscat(folder, L"\\");
    return true;
}

// Both streams into `folder`, as text: a line ends in CR LF there.
static bool redirect_into(const wchar_t* folder) {
    if (wcslen(folder) + wcslen(STDOUT_FILE) >= PATH_LENGTH)
        return false;
    wcscpy(stdout_path, folder);
    wcscat(stdout_path, STDOUT_FILE);
    wcscpy(stderr_path, folder);
    wcscat(stderr_path, STDERR_FILE);
    if (!_wfreopen(stdout_path, L"w", stdout))
        return false;
    if (!_wfreopen(stderr_path, L"w", stderr))
        return false;
    setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
    setvbuf(stderr, nullptr, _IONBF, 0);
    return true;
}

static void redirect_output() {
    static wchar_t folder[PATH_LENGTH];
    if (program_folder(folder) && redirect_into(folder))
        return;
    if (player_folder(folder) && redirect_into(folder))
        return;
    stdout_path[0] = stderr_path[0] = 0;
}

static void remove_if_empty(const wchar_t* path) {
    WIN32_FILE_ATTRIBUTE_DATA file;
    if (path[0] && GetFileAttributesExW(path, GetFileExInfoStandard, &file) &&
        file.nFileSizeHigh == 0 && file.nFileSizeLow == 0)
        DeleteFileW(path);
}

static void close_output() {
    fclose(stdout);
    fclose(stderr);
    remove_if_empty(stdout_path);
    remove_if_empty(stderr_path);
}

static void quit_sdl() {
    SDL_Quit();
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    redirect_output();
    // registered first, run last: SDL is down before the files close
    atexit(close_output);
    atexit(quit_sdl);
    // The window owns its device context, so that the mapping that fits it
    // to the screen stays on it (window_fit.cpp); SDL registers no class of
    // its own once this one is.
    SDL_RegisterApp(WINDOW_CLASS, CS_BYTEALIGNCLIENT | CS_OWNDC, instance);
    return SDL_main(__argc, __argv);
}
