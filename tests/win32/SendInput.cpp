// Input from another program of the prefix: "key <code>" presses and releases a key, "move <x>
// <y>" moves the pointer that far. Wine shows its programs input sent this way, not X's.
#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "key") == 0) {
        INPUT keys[2] = {};
        for (INPUT& key : keys) {
            key.type = INPUT_KEYBOARD;
            key.ki.wVk = static_cast<WORD>(std::atoi(argv[2]));
        }
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        return SendInput(2, keys, sizeof(INPUT)) == 2 ? 0 : 1;
    }
    if (argc == 4 && std::strcmp(argv[1], "move") == 0) {
        INPUT move{};
        move.type = INPUT_MOUSE;
        move.mi.dx = std::atoi(argv[2]);
        move.mi.dy = std::atoi(argv[3]);
        move.mi.dwFlags = MOUSEEVENTF_MOVE;
        return SendInput(1, &move, sizeof move) == 1 ? 0 : 1;
    }
    return 2;
}
