// The platform entry point in a page. The game's loop runs inside main and
// gives the thread back to the page in every frame (platform_frame_wait), so
// main returns only when the game has ended; the page then says so.
//
// SDL_Quit is left out: in a page it gives nothing back, and the canvas
// keeps the last frame under the page's word that the game has ended.
#include "frame/screen_sequence.h"
#include "platform/web/page.h"

int main(int argc, char* argv[]) {
    int status = SDL_main(argc, argv);
    page_game_ended(status);
    return status;
}
