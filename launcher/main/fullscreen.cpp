// Stompvale_v1.6_FullScreen: the desktop's size.
#include "launcher/main/run_game.h"

int main(int argc, char** argv) {
    return RunGame(ScreenSizeMode::Desktop, argc, argv);
}
