// Stompvale_v1.6_1024x768: a fixed 1024 x 768 screen.
#include "launcher/main/run_game.h"

int main(int argc, char** argv) {
    return RunGame(ScreenSizeMode::Windowed1024x768, argc, argv);
}
